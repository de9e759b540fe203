// Key management, opened from the main window: the key list and summary,
// Generate, Add/Update, Set, carrying the key files through a folder, and
// Delete Keys.

#include "keys/key_store.h"
#include "ui/key_management_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

constexpr const char* kNoDefault = "No Default Key defined.  You cannot check mail without a default key.";

class KeyManagementWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    WriteDefaultKey(store.Folder());
  }

  std::vector<keys::KeyRecord> Records() const { return keys::ReadKeys(store.Folder()); }
};

TEST_F(KeyManagementWindowTest, OpensWithTheKeyListAndSummaryShowsAPickedKeyAndSetMakesItActive) {
  keys::WriteKeys(store.Folder(), {{"Other", "other key", false},
                                   {kTestKeyName, kTestKey, true},
                                   {"Home", "123456789123456789", false}});
  Start();
  const std::string before = ReadBytes(store / "key.dat");
  Open<ui::KeyManagementDialog>(window->keyManagementAction, [](auto& form) {
    EXPECT_EQ(form.windowTitle(), "Key Management");
    ASSERT_EQ(form.keyList->count(), 3);
    EXPECT_EQ(form.keyList->itemText(0), "Other");
    EXPECT_EQ(form.keyList->currentText(), "Other");
    EXPECT_EQ(form.summaryLabel->text(), " 3 keys defined.  Default key is Alice.");
    EXPECT_TRUE(form.statusLabel->text().isEmpty());

    ASSERT_TRUE(PickFromList(*form.keyList, "Alice"));
    EXPECT_EQ(form.keyNameEdit->text(), "Alice");
    EXPECT_EQ(form.keyTextEdit->text(), kTestKey);
    EXPECT_TRUE(form.defaultKeyCheck->isChecked());
    ASSERT_TRUE(PickFromList(*form.keyList, "Other"));
    EXPECT_EQ(form.keyTextEdit->text(), "other key");
    EXPECT_FALSE(form.defaultKeyCheck->isChecked());
    ASSERT_TRUE(PickFromList(*form.keyList, "Home"));
    form.setKeyButton->click();
    EXPECT_EQ(form.statusLabel->text(), "Key is now loaded.");
    EXPECT_FALSE(form.isVisible());
  });
  EXPECT_EQ(ReadBytes(store / "key.key"), "123456789123456789\r\n");
  EXPECT_EQ(window->keyList->currentText(), "Home") << "the main window's key list follows";
  EXPECT_EQ(ReadBytes(store / "key.dat"), before) << "looking and choosing change no stored key";
}

TEST_F(KeyManagementWindowTest, AddUpdateKeepsOneDefaultAndUpdatesANameRegardlessOfCase) {
  Start();
  Open<ui::KeyManagementDialog>(window->keyManagementAction, [this](auto& form) {
    form.keyNameEdit->setText("Home");
    form.addUpdateButton->click();
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Missing Data.  Enter a Name and a Key or generate one."));
    EXPECT_EQ(Records().size(), 2u);

    form.keyTextEdit->setText("123456789123456789");
    form.defaultKeyCheck->setChecked(true);
    form.addUpdateButton->click();
    EXPECT_EQ(form.summaryLabel->text(), " 3 keys defined.  Default key is Home.");
    EXPECT_EQ(form.keyList->count(), 3);

    form.keyNameEdit->setText("home");
    form.keyTextEdit->setText("987654321987654321");
    form.defaultKeyCheck->setChecked(false);
    form.addUpdateButton->click();
    EXPECT_EQ(form.summaryLabel->text(), QString(" 3 keys defined.  ") + kNoDefault);
    EXPECT_EQ(Records().back(), (keys::KeyRecord{"home", "987654321987654321", false}));
    EXPECT_TRUE(form.isVisible());
  });
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(KeyManagementWindowTest, TheKeyBoxRefusesWhatTheEngineWouldRefuseAndGenerateFillsOnlyIt) {
  Start();
  Open<ui::KeyManagementDialog>(window->keyManagementAction, [](auto& form) {
    // The key repeats to 18 characters, so a minus sign after a digit ends up
    // before one.
    QTest::keyClicks(form.keyTextEdit, "4-9");
    EXPECT_EQ(form.keyTextEdit->text(), "49");
    form.keyTextEdit->clear();
    QTest::keyClicks(form.keyTextEdit, "-a");
    EXPECT_EQ(form.keyTextEdit->text(), "-a") << "a minus sign before a letter is harmless";
    form.keyTextEdit->clear();
    QTest::keyClicks(form.keyTextEdit, "12345678901234567890");
    EXPECT_EQ(form.keyTextEdit->text(), "123456789012345678");

    form.keyNameEdit->setText("Typed name");
    form.defaultKeyCheck->setChecked(true);
    form.generateButton->click();
    const QString first = form.keyTextEdit->text();
    EXPECT_TRUE(QRegularExpression("^[1-9]{18}$").match(first).hasMatch()) << first.toStdString();
    form.generateButton->click();
    EXPECT_NE(form.keyTextEdit->text(), first);
    EXPECT_EQ(form.keyNameEdit->text(), "Typed name");
    EXPECT_TRUE(form.defaultKeyCheck->isChecked());
  });
}

TEST_F(KeyManagementWindowTest, TransferAndRestoreCarryBothKeyFilesThroughAFolder) {
  keys::WriteSelectedKey(store.Folder(), kTestKey);
  TempFolder carrier;
  const std::string keyStore = ReadBytes(store / "key.dat");
  Start();
  desktop.chosenFolders = {carrier.Path(), carrier.Path()};
  Open<ui::KeyManagementDialog>(window->keyManagementAction, [&](auto& form) {
    form.transferKeysButton->click();
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Keys Transferred."));
    EXPECT_EQ(ReadBytes(carrier / "key.key"), std::string(kTestKey) + "\r\n");

    keys::WriteKeys(store.Folder(), {{"Changed", "555555555555555555", true}});
    form.restoreKeysButton->click();
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Keys Transferred.", "Keys Restored."));
    EXPECT_EQ(ReadBytes(store / "key.dat"), keyStore);
    EXPECT_TRUE(form.isVisible());
  });
  EXPECT_THAT(desktop.folderDialogTitles,
              ElementsAre("Select Path to Transfer Key File To", "Select Path to Restore Key File From"));
}

// A new user with no key yet: the first key, added as the default key, is
// ready to use at once, and the key files can be carried to a correspondent.
TEST_F(KeyManagementWindowTest, TheFirstKeyAddedAsDefaultIsLoadedAndCanBeTransferredAtOnce) {
  std::filesystem::remove(store / "key.dat");
  Start();
  ASSERT_TRUE(window->Program().CurrentKey.empty());
  TempFolder carrier;
  desktop.chosenFolders = {carrier.Path()};
  Open<ui::KeyManagementDialog>(window->keyManagementAction, [&](auto& form) {
    form.keyNameEdit->setText("Bob");
    form.keyTextEdit->setText("123456789123456789");
    form.defaultKeyCheck->setChecked(true);
    form.addUpdateButton->click();
    EXPECT_EQ(form.summaryLabel->text(), " 1 keys defined.  Default key is Bob.");
    EXPECT_EQ(form.statusLabel->text(), "Key is now loaded.");
    EXPECT_EQ(window->Program().CurrentKey, "123456789123456789");
    EXPECT_TRUE(window->Program().Engine.KeyLoaded());

    form.transferKeysButton->click();
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Keys Transferred."));
    EXPECT_EQ(ReadBytes(carrier / "key.dat"), ReadBytes(store / "key.dat"));
    EXPECT_FALSE(std::filesystem::exists(carrier / "key.key"));

    // A later default key does not replace the key in use.
    form.keyNameEdit->setText("Carol");
    form.keyTextEdit->setText("987654321987654321");
    form.addUpdateButton->click();
    EXPECT_TRUE(form.statusLabel->text().isEmpty());
    EXPECT_EQ(window->Program().CurrentKey, "123456789123456789");
  });
  EXPECT_EQ(window->keyList->currentText(), "Bob");
  EXPECT_FALSE(window->keyList->isHidden());
}

TEST_F(KeyManagementWindowTest, RestoringKeysWithADefaultKeyLoadsItWhenNoKeyIsLoaded) {
  TempFolder carrier;
  keys::WriteKeys(carrier.Path(), {{"Shared", "123456789123456789", true}});
  std::filesystem::remove(store / "key.dat");
  Start();
  desktop.chosenFolders = {carrier.Path()};
  Open<ui::KeyManagementDialog>(window->keyManagementAction, [&](auto& form) {
    form.restoreKeysButton->click();
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Keys Restored."));
    EXPECT_EQ(form.statusLabel->text(), "Key is now loaded.");
  });
  EXPECT_EQ(window->Program().CurrentKey, "123456789123456789");
  EXPECT_EQ(window->keyList->currentText(), "Shared");
}

TEST_F(KeyManagementWindowTest, AKeyThatDoesNotFitAsStoredIsSaidAsTypedAndNotStored) {
  Start();
  const std::string before = ReadBytes(store / "key.dat");
  Open<ui::KeyManagementDialog>(window->keyManagementAction, [this](auto& form) {
    EXPECT_TRUE(form.keyLengthWarning->isHidden());
    form.keyNameEdit->setText("Omega");
    // Ω has no key of its own on the test keyboard: it comes as typed text.
    QTest::sendKeyEvent(QTest::Click, form.keyTextEdit, Qt::Key_unknown, QString::fromUtf8("\u03A9"), Qt::NoModifier);
    QTest::keyClicks(form.keyTextEdit, "mega123456789012");
    EXPECT_TRUE(form.keyLengthWarning->isHidden()) << "17 characters in 18 bytes fit";
    QTest::keyClicks(form.keyTextEdit, "3");
    EXPECT_EQ(form.keyTextEdit->text(), QString::fromUtf8("\u03A9mega1234567890123"));
    EXPECT_FALSE(form.keyLengthWarning->isHidden());
    EXPECT_THAT(form.keyLengthWarning->text().toStdString(), HasSubstr("This key takes 19 bytes as stored"));
    form.addUpdateButton->click();
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre(form.keyLengthWarning->text().toStdString()));
    QTest::keyClick(form.keyTextEdit, Qt::Key_Backspace);
    EXPECT_TRUE(form.keyLengthWarning->isHidden());
  });
  EXPECT_EQ(ReadBytes(store / "key.dat"), before);
}

TEST_F(KeyManagementWindowTest, DeleteKeysAsksFirstAndOnYesWipesBothFiles) {
  keys::WriteSelectedKey(store.Folder(), kTestKey);
  Start();
  Open<ui::KeyManagementDialog>(window->keyManagementAction, [this](auto& form) {
    dialogs.answers.push_back(base::Answer::No);
    form.deleteKeysButton->click();
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text,
              "Please make certain that you transfer the key file before deleting it.  Are you sure you want to "
              "delete the Key File?");
    EXPECT_TRUE(std::filesystem::exists(store / "key.dat"));

    dialogs.answers.push_back(base::Answer::Yes);
    form.deleteKeysButton->click();
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Key File is deleted.  No Cryptions are now possible."));
    EXPECT_FALSE(std::filesystem::exists(store / "key.dat"));
  });
  Open<ui::KeyManagementDialog>(window->keyManagementAction, [](auto& form) {
    EXPECT_EQ(form.summaryLabel->text(), QString(" 0 keys defined.  ") + kNoDefault);
    EXPECT_EQ(form.keyList->count(), 0);
  });
}

}  // namespace
}  // namespace ostrel::testing
