#include "transport/attachment_names.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace ostrel::transport {
namespace {

TEST(SafeAttachmentName, KeepsOnlyTheBaseNameWithoutForbiddenCharacters) {
  const std::pair<const char*, const char*> cases[] = {
      {"report.pdf", "report.pdf"},
      {"../../etc/passwd", "passwd"},
      {"C:\\Windows\\system32\\evil.dll", "evil.dll"},
      {"folder/..\\..\\x.enc", "x.enc"},
      {"bad\r\nname\t.txt", "badname.txt"},
      {"what?*:<>|\".txt", "what.txt"},
      {".hidden", "hidden"},
      {"Grüße.txt.enc", "Grüße.txt.enc"},
      // Nothing left: a plain name instead.
      {"", "attachment"}, {"..", "attachment"}, {"a/", "attachment"}, {"   ", "attachment"}, {"\x01\x02", "attachment"},
  };
  for (const auto& [name, safe] : cases) EXPECT_EQ(SafeAttachmentName(name), safe) << name;
}

TEST(SafeAttachmentName, LongNamesAreCutBeforeTheirExtension) {
  const std::string name = SafeAttachmentName(std::string(300, 'a') + ".pdf.enc");
  EXPECT_LE(name.size(), 200u);
  EXPECT_EQ(name.substr(name.size() - 8), ".pdf.enc");

  // Cut at 200 bytes, this name would end in a blank; with an extension, a
  // dot would stand before the extension's own dot.
  const std::string blankAtTheCut = SafeAttachmentName(std::string(199, 'a') + " " + std::string(30, 'b'));
  EXPECT_EQ(blankAtTheCut, std::string(199, 'a'));
  const std::string dotsAtTheCut =
      SafeAttachmentName(std::string(190, 'a') + "..... " + std::string(30, 'b') + ".pdf");
  EXPECT_EQ(dotsAtTheCut, std::string(190, 'a') + ".pdf");

  // Bytes that are no UTF-8 are cut at 200 rather than to nothing, which
  // once left only the extension: a name starting with a dot.
  const std::string notUtf8 = SafeAttachmentName(std::string(230, '\xB1') + ".\xB1\xB1");
  EXPECT_EQ(notUtf8, std::string(197, '\xB1') + ".\xB1\xB1");
}

// The numbering itself is pinned where the mail check files attachments into
// "Save" and where sending writes enciphered copies.
TEST(UniqueFileName, ADanglingLinkTakesItsName) {
  testing::TempFolder folder;
  std::filesystem::create_symlink(folder / "nowhere", folder / "link.txt");
  EXPECT_EQ(UniqueFileName(folder.Path(), "link.txt"), folder / "link (2).txt") << "a dangling link is taken";
}

}  // namespace
}  // namespace ostrel::transport
