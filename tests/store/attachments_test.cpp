#include "store/attachments.h"

#include <gmock/gmock.h>

#include <functional>

#include "store_folder.h"

namespace ostrel::testing {
namespace {

using ::testing::ElementsAre;
using AttachmentsTest = EngineTest;

TEST_F(AttachmentsTest, DeciphersEncFilesIntoDecAndLeavesOthersInSave) {
  LoadKey();
  WriteBytes(folder / "report.doc", "the report");
  engine.EncryptFile(folder / "report.doc", folder / "Save" / "report.doc.enc");
  WriteBytes(folder / "Save" / "photo.jpg", "jpeg");
  WriteBytes(folder / "Save" / "upper.ENC", "not ours");
  WriteBytes(folder / "Save" / ".enc", "a name without a stem");
  std::filesystem::create_directory(folder / "Save" / "sub.enc");
  const auto check = store::CheckAttachments(folder.Folder(), engine);
  EXPECT_EQ(check.DecryptedCount, 1);
  EXPECT_TRUE(check.failedNames.empty());
  EXPECT_EQ(ReadBytes(folder / "Dec" / "report.doc"), "the report");
  // The listing is sorted and holds files only.
  EXPECT_THAT(store::ListAttachmentFiles(folder / "Save"), ElementsAre(".enc", "photo.jpg", "upper.ENC"));
  EXPECT_TRUE(store::ListAttachmentFiles(folder / "Nowhere").empty());
}

TEST_F(AttachmentsTest, WithoutAKeyTheEncFileStaysSoNothingIsLost) {
  WriteBytes(folder / "Save" / "report.doc.enc", "cipher bytes");
  const auto check = store::CheckAttachments(folder.Folder(), engine);
  EXPECT_EQ(check.DecryptedCount, 0);
  EXPECT_THAT(check.failedNames, ElementsAre("report.doc.enc"));
  EXPECT_EQ(ReadBytes(folder / "Save" / "report.doc.enc"), "cipher bytes");
  EXPECT_TRUE(store::ListAttachmentFiles(folder / "Dec").empty());
}

class AttachmentActionsTest : public AttachmentsTest {
 protected:
  std::vector<std::filesystem::path> opened;
  std::function<void(const std::filesystem::path&)> open = [this](const std::filesystem::path& file) {
    opened.push_back(file);
  };
};

TEST_F(AttachmentActionsTest, OpenAndDeleteSayWhatToDoWithNothingSelectedAndStayInsideTheirFolder) {
  store::OpenAttachments(folder.Folder(), store::AttachmentList::Received, {}, dialogs, open);
  store::OpenAttachments(folder.Folder(), store::AttachmentList::Decrypted, {}, dialogs, open);
  store::DeleteAttachments(folder.Folder(), store::AttachmentList::Decrypted, {}, dialogs);
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("You must select the file you want to open first.",
                                                "You must select the file(s) you want to open first.",
                                                "You must select the file(s) you want to delete first."));
  EXPECT_EQ(opened.size(), 0u);
  dialogs.shown.clear();

  // Names from a list stay inside its folder.
  WriteBytes(folder / "Dec" / "a.txt", "a");
  WriteBytes(folder / "keep.dat", "k");
  store::OpenAttachments(folder.Folder(), store::AttachmentList::Decrypted, {"a.txt", "../keep.dat"}, dialogs, open);
  EXPECT_THAT(opened, ElementsAre(folder / "Dec" / "a.txt"));
  store::DeleteAttachments(folder.Folder(), store::AttachmentList::Decrypted, {"a.txt", "../keep.dat", ".."},
                           dialogs);
  EXPECT_FALSE(std::filesystem::exists(folder / "Dec" / "a.txt"));
  EXPECT_TRUE(std::filesystem::exists(folder / "keep.dat"));
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace ostrel::testing
