#include "base/fixed_records.h"

#include <filesystem>

#include "base_fixture.h"
#include "support/file_permissions.h"

namespace ostrel::base {
namespace {

using FixedRecords = BaseTest;

using ostrel::testing::BindingPermissions;
using ostrel::testing::ReadOnly;

TEST_F(FixedRecords, MissingOrEmptyFileHoldsNoRecords) {
  const RecordFile file(folder / "a.dat", 10);
  EXPECT_EQ(file.Count(), 0u);
  EXPECT_FALSE(file.Read(1));
  EXPECT_TRUE(file.ReadAll().empty());
  EXPECT_FALSE(std::filesystem::exists(folder / "a.dat"));
  file.EnsureExists();
  EXPECT_EQ(std::filesystem::file_size(folder / "a.dat"), 0u);

  // A read-only file that exists is there to be read, and stays as it was.
  WriteBytes(folder / "b.dat", "12345");
  const RecordFile readOnlyFile(folder / "b.dat", 5);
  ReadOnly readOnly(folder / "b.dat");
  BindingPermissions binding;
  EXPECT_NO_THROW(readOnlyFile.EnsureExists());
  EXPECT_EQ(readOnlyFile.Count(), 1u);
  EXPECT_EQ(ReadBytes(folder / "b.dat"), "12345");
}

TEST_F(FixedRecords, AppendReadOverwrite) {
  const RecordFile file(folder / "a.dat", 5);
  file.Append("one");
  file.Append("twotoolong");
  EXPECT_EQ(ReadBytes(folder / "a.dat"), "one  twoto");
  EXPECT_EQ(file.Count(), 2u);
  EXPECT_EQ(*file.Read(2), "twoto");
  file.Overwrite(1, "uno");
  EXPECT_EQ(ReadBytes(folder / "a.dat"), "uno  twoto");
  EXPECT_THROW(file.Overwrite(3, "x"), std::out_of_range);
}

TEST_F(FixedRecords, PartialRecordAtTheEndIsNotARecord) {
  WriteBytes(folder / "a.dat", "abcdeXY");
  const RecordFile file(folder / "a.dat", 5);
  EXPECT_EQ(file.Count(), 1u);
  EXPECT_FALSE(file.Read(2));
  EXPECT_EQ(file.ReadAll().size(), 1u);
  file.Append("fghij");  // the torn tail is cut off, never glued into a record
  EXPECT_EQ(ReadBytes(folder / "a.dat"), "abcdefghij");
}

TEST_F(FixedRecords, RewriteReplacesTheWholePrivateFileWithoutATemporaryOne) {
  const RecordFile file(folder / "box.dat", 4, Privacy::Private);
  file.Append("aaaa");
  EXPECT_EQ(std::filesystem::status(folder / "box.dat").permissions(), std::filesystem::perms{0600});
  file.Append("bbbb");
  file.Rewrite({"cc", "dddd"});
  EXPECT_EQ(ReadBytes(folder / "box.dat"), "cc  dddd");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
  file.Rewrite({"x", "y"});
  EXPECT_EQ(ReadBytes(folder / "box.dat"), "x   y   ");
  EXPECT_EQ(std::filesystem::status(folder / "box.dat").permissions(), std::filesystem::perms{0600});
}

TEST_F(FixedRecords, FieldsArePaddedOrCutThenReadBack) {
  const std::vector<std::size_t> widths = {3, 4};
  const std::string record = JoinFields({"caf\xC3\xA9", "\xCE\xB1\xCE\xB2\xCE\xB3"}, widths);
  EXPECT_EQ(record, std::string("caf") + "\xCE\xB1\xCE\xB2");  // é cut off; γ would split
  const std::string padded = JoinFields({"\xC3\xA9", "x"}, widths);
  EXPECT_EQ(padded, "\xE9  x   ");
  const auto fields = SplitFields(padded, widths);
  ASSERT_EQ(fields.size(), 2u);
  EXPECT_EQ(fields[0], "\xC3\xA9  ");
  EXPECT_EQ(TrimBlanks(fields[1]), "x");
}

}  // namespace
}  // namespace ostrel::base
