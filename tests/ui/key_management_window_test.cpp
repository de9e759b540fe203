// Key management, opened from the main window: the key list and summary,
// Generate, Add/Update, Set, carrying the key files through a folder, and
// Delete Keys. The key store's rules and messages are tested beside it.

#include "keys/key_store.h"
#include "ui/key_management_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

class KeyManagementWindowTest : public MainWindowTest {
 protected:
  // Opens key management from the menu and works it with `work`.
  template <typename Work>
  void Manage(Work work) {
    Open<ui::KeyManagementDialog>(window->keyManagementAction, work);
  }
};

TEST_F(KeyManagementWindowTest, OpensWithTheKeyListAndSummaryAndAPickedKeyFillsTheEditor) {
  keys::WriteKeys(store.Folder(), {{"Other", "other key", false}, {kTestKeyName, kTestKey, true}});
  Start();
  Manage([](auto& form) {
    EXPECT_EQ(form.windowTitle(), "Key Management");
    ASSERT_EQ(form.keyList->count(), 2);
    EXPECT_EQ(form.keyList->currentText(), "Other");
    EXPECT_EQ(form.summaryLabel->text(), " 2 keys defined.  Default key is Alice.");
    EXPECT_TRUE(form.statusLabel->text().isEmpty());
    ASSERT_TRUE(PickFromList(*form.keyList, kTestKeyName));
    EXPECT_EQ(form.keyNameEdit->text(), kTestKeyName);
    EXPECT_EQ(form.keyTextEdit->text(), kTestKey);
    EXPECT_TRUE(form.defaultKeyCheck->isChecked());
  });
}

TEST_F(KeyManagementWindowTest, SetLoadsThePickedKeyClosesAndTheMainKeyListFollows) {
  keys::WriteKeys(store.Folder(), {{kTestKeyName, kTestKey, true}, {"Home", "123456789123456789", false}});
  Start();
  const std::string before = ReadBytes(store / "key.dat");
  Manage([](auto& form) {
    ASSERT_TRUE(PickFromList(*form.keyList, "Home"));
    form.setKeyButton->click();
    EXPECT_EQ(form.statusLabel->text(), "Key is now loaded.");
    EXPECT_FALSE(form.isVisible());
  });
  EXPECT_EQ(ReadBytes(store / "key.key"), "123456789123456789\r\n");
  EXPECT_EQ(window->keyList->currentText(), "Home");
  EXPECT_EQ(ReadBytes(store / "key.dat"), before) << "choosing changes no stored key";
}

TEST_F(KeyManagementWindowTest, TheKeyBoxRefusesWhatTheEngineWouldRefuse) {
  Start();
  Manage([](auto& form) {
    struct Case {
      const char* typed;
      const char* kept;
    };
    // The key repeats to 18 characters, so a minus sign after a digit ends up
    // before one; before a letter it is harmless.
    for (const Case& test : {Case{"4-9", "49"}, Case{"-a", "-a"}, Case{"12345678901234567890", "123456789012345678"}}) {
      SCOPED_TRACE(test.typed);
      form.keyTextEdit->clear();
      QTest::keyClicks(form.keyTextEdit, test.typed);
      EXPECT_EQ(form.keyTextEdit->text(), test.kept);
    }
  });
}

TEST_F(KeyManagementWindowTest, GenerateFillsOnlyTheKeyBoxWithEighteenDigitsEachTime) {
  Start();
  Manage([](auto& form) {
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

// A new user with no key yet: the first key, added as the default key, is
// ready to use at once, and the key files can be carried to a correspondent.
TEST_F(KeyManagementWindowTest, TheFirstKeyAddedAsDefaultIsLoadedAndCanBeTransferredAtOnce) {
  Start();
  ASSERT_TRUE(window->Program().CurrentKey.empty());
  TempFolder carrier;
  desktop.chosenFolders = {carrier.Path()};
  Manage([&](auto& form) {
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

    // A later default key does not replace the key in use.
    form.keyNameEdit->setText("Carol");
    form.keyTextEdit->setText("987654321987654321");
    form.addUpdateButton->click();
    EXPECT_TRUE(form.statusLabel->text().isEmpty());
    EXPECT_EQ(window->Program().CurrentKey, "123456789123456789");
    EXPECT_TRUE(form.isVisible());
  });
  EXPECT_THAT(desktop.folderDialogTitles, ElementsAre("Select Path to Transfer Key File To"));
  EXPECT_EQ(window->keyList->currentText(), "Bob");
  EXPECT_FALSE(window->keyList->isHidden());
}

TEST_F(KeyManagementWindowTest, RestoringKeysWithADefaultKeyLoadsItWhenNoKeyIsLoaded) {
  TempFolder carrier;
  keys::WriteKeys(carrier.Path(), {{"Shared", "123456789123456789", true}});
  Start();
  desktop.chosenFolders = {carrier.Path()};
  Manage([&](auto& form) {
    form.restoreKeysButton->click();
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Keys Restored."));
    EXPECT_EQ(form.statusLabel->text(), "Key is now loaded.");
  });
  EXPECT_THAT(desktop.folderDialogTitles, ElementsAre("Select Path to Restore Key File From"));
  EXPECT_EQ(ReadBytes(store / "key.dat"), ReadBytes(carrier / "key.dat"));
  EXPECT_EQ(window->Program().CurrentKey, "123456789123456789");
  EXPECT_EQ(window->keyList->currentText(), "Shared");
}

TEST_F(KeyManagementWindowTest, AKeyThatDoesNotFitAsStoredIsSaidAsTypedAndNotStored) {
  Start();
  Manage([this](auto& form) {
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
  EXPECT_TRUE(keys::ReadKeys(store.Folder()).empty());
}

TEST_F(KeyManagementWindowTest, DeleteKeysOnYesLeavesAnEmptyList) {
  WriteDefaultKey(store.Folder());
  keys::WriteSelectedKey(store.Folder(), kTestKey);
  Start();
  Manage([this](auto& form) {
    dialogs.answers = {base::Answer::Yes};
    form.deleteKeysButton->click();
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Key File is deleted.  No Cryptions are now possible."));
    EXPECT_FALSE(std::filesystem::exists(store / "key.dat"));
    EXPECT_FALSE(std::filesystem::exists(store / "key.key"));
  });
  Manage([](auto& form) {
    EXPECT_EQ(form.summaryLabel->text(),
              " 0 keys defined.  No Default Key defined.  You cannot check mail without a default key.");
    EXPECT_EQ(form.keyList->count(), 0);
  });
}

}  // namespace
}  // namespace ostrel::testing
