#include "base/write_check.h"

#include <system_error>

#include "base_fixture.h"
#include "support/file_permissions.h"

namespace ostrel::base {
namespace {

using RequireWritableTest = BaseTest;

using testing::BindingPermissions;
using testing::ReadOnly;

TEST_F(RequireWritableTest, PassesAWritableOrMissingFileUntouched) {
  WriteBytes(folder / "box.dat", "kept");
  const auto written = std::filesystem::last_write_time(folder / "box.dat");
  BindingPermissions binding;
  EXPECT_NO_THROW(RequireWritable(folder / "box.dat"));
  EXPECT_NO_THROW(RequireWritable(folder / "missing.dat"));
  EXPECT_EQ(ReadBytes(folder / "box.dat"), "kept");
  EXPECT_EQ(std::filesystem::last_write_time(folder / "box.dat"), written);
  EXPECT_FALSE(std::filesystem::exists(folder / "missing.dat"));
}

TEST_F(RequireWritableTest, RefusesAReadOnlyFileNamingPathAndReason) {
  WriteBytes(folder / "box.dat", "kept");
  ReadOnly readOnly(folder / "box.dat");
  BindingPermissions binding;
  try {
    RequireWritable(folder / "box.dat");
    ADD_FAILURE() << "no error";
  } catch (const std::system_error& error) {
    EXPECT_EQ(error.code().value(), EACCES);
    EXPECT_EQ(std::string(error.what()),
              "cannot write " + (folder / "box.dat").string() + ": " + std::generic_category().message(EACCES));
  }
}

}  // namespace
}  // namespace ostrel::base
