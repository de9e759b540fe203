#include "transport/attachment_names.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace ostrel::transport {
namespace {

TEST(SafeAttachmentName, KeepsOnlyTheBaseName) {
  EXPECT_EQ(SafeAttachmentName("report.pdf"), "report.pdf");
  EXPECT_EQ(SafeAttachmentName("../../etc/passwd"), "passwd");
  EXPECT_EQ(SafeAttachmentName("/etc/cron.d/job"), "job");
  EXPECT_EQ(SafeAttachmentName("C:\\Windows\\system32\\evil.dll"), "evil.dll");
  EXPECT_EQ(SafeAttachmentName("folder/..\\..\\x.enc"), "x.enc");
}

TEST(SafeAttachmentName, NamesWithNothingLeftGetAPlainName) {
  for (const char* name : {"", "..", ".", "/", "a/", "\\..\\", "...", "   ", "\x01\x02"}) {
    EXPECT_EQ(SafeAttachmentName(name), "attachment") << name;
  }
}

TEST(SafeAttachmentName, DropsControlAndForbiddenCharacters) {
  EXPECT_EQ(SafeAttachmentName("bad\r\nname\t.txt"), "badname.txt");
  EXPECT_EQ(SafeAttachmentName("what?*:<>|\".txt"), "what.txt");
  EXPECT_EQ(SafeAttachmentName(".hidden"), "hidden");
  EXPECT_EQ(SafeAttachmentName("Grüße.txt.enc"), "Grüße.txt.enc");
}

TEST(SafeAttachmentName, LongNamesKeepTheirExtension) {
  const std::string name = SafeAttachmentName(std::string(300, 'a') + ".pdf.enc");
  EXPECT_LE(name.size(), 200u);
  EXPECT_EQ(name.substr(name.size() - 8), ".pdf.enc");
}

TEST(SafeAttachmentName, LongNamesAreNotCutInsideACharacter) {
  std::string longName;
  for (int i = 0; i < 150; ++i) longName += "ü";
  const std::string name = SafeAttachmentName(longName);
  EXPECT_LE(name.size(), 200u);
  EXPECT_EQ(name.size() % 2, 0u);
}

TEST(UniqueFileName, NumbersANameThatIsTakenAndKeepsEncLast) {
  testing::TempFolder folder;
  EXPECT_EQ(UniqueFileName(folder.Path(), "report.pdf.enc"), folder / "report.pdf.enc");
  testing::WriteBytes(folder / "report.pdf.enc", "one");
  EXPECT_EQ(UniqueFileName(folder.Path(), "report.pdf.enc"), folder / "report (2).pdf.enc");
  testing::WriteBytes(folder / "report (2).pdf.enc", "two");
  EXPECT_EQ(UniqueFileName(folder.Path(), "report.pdf.enc"), folder / "report (3).pdf.enc");

  testing::WriteBytes(folder / "notes", "x");
  EXPECT_EQ(UniqueFileName(folder.Path(), "notes"), folder / "notes (2)");
  testing::WriteBytes(folder / "data.enc", "x");
  EXPECT_EQ(UniqueFileName(folder.Path(), "data.enc"), folder / "data (2).enc");
}

TEST(UniqueFileName, ADanglingLinkCountsAsTaken) {
  testing::TempFolder folder;
  std::filesystem::create_symlink(folder / "nowhere", folder / "link.txt");
  EXPECT_EQ(UniqueFileName(folder.Path(), "link.txt"), folder / "link (2).txt");
}

}  // namespace
}  // namespace ostrel::transport
