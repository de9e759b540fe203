// Key management, opened from the main window. The key store's rules, texts
// and files are tested beside it; here each control reaches its flow, the
// window shows what comes back, and the main window's key list follows.

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

TEST_F(KeyManagementWindowTest, APickedKeyFillsTheEditorAndSetLoadsItClosesAndTheMainKeyListFollows) {
  keys::WriteKeys(store.Folder(), {{kTestKeyName, kTestKey, true}, {"Home", "123456789123456789", false}});
  Start();
  Manage([](auto& form) {
    ASSERT_TRUE(PickFromList(*form.keyList, "Home"));
    EXPECT_EQ(form.keyNameEdit->text(), "Home");
    EXPECT_EQ(form.keyTextEdit->text(), "123456789123456789");
    form.setKeyButton->click();
    EXPECT_EQ(form.statusLabel->text(), "Key is now loaded.");
    EXPECT_FALSE(form.isVisible());
  });
  EXPECT_EQ(ReadBytes(store / "key.key"), "123456789123456789\r\n");
  EXPECT_EQ(window->keyList->currentText(), "Home");
}

// The key box refuses as it is typed what the engine would refuse, and takes
// no more than a key's length. Which keys the engine refuses, and the warning
// and refusal of a key too long as stored, are the key store's.
TEST_F(KeyManagementWindowTest, TheKeyBoxRefusesAsItIsTypedWhatTheEngineWould) {
  Start();
  Manage([](auto& form) {
    struct Case {
      const char* typed;
      const char* kept;
    };
    // The key repeats to 18 characters, so a minus sign after a digit ends up
    // before one.
    for (const Case& test : {Case{"4-9", "49"}, Case{"12345678901234567890", "123456789012345678"}}) {
      SCOPED_TRACE(test.typed);
      form.keyTextEdit->clear();
      QTest::keyClicks(form.keyTextEdit, test.typed);
      EXPECT_EQ(form.keyTextEdit->text(), test.kept);
    }
  });
}

// A new user with no key yet: a generated key, added as the default key, is
// ready to use at once, and the key files can be carried to a correspondent.
TEST_F(KeyManagementWindowTest, AGeneratedFirstKeyAddedAsDefaultIsLoadedAndTheKeyFilesTravel) {
  Start();
  TempFolder carrier;
  desktop.chosenFolders = {carrier.Path(), carrier.Path()};
  Manage([&](auto& form) {
    form.keyNameEdit->setText("Bob");
    form.generateButton->click();
    const std::string generated = form.keyTextEdit->text().toStdString();
    form.defaultKeyCheck->setChecked(true);
    form.addUpdateButton->click();
    EXPECT_EQ(form.summaryLabel->text(), " 1 keys defined.  Default key is Bob.");
    EXPECT_EQ(window->Program().CurrentKey, generated);

    form.transferKeysButton->click();
    EXPECT_EQ(ReadBytes(carrier / "key.dat"), ReadBytes(store / "key.dat"));
    keys::WriteKeys(carrier.Path(), {{"Shared", kTestKey, false}});
    form.restoreKeysButton->click();
  });
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Keys Transferred.", "Keys Restored."));
  EXPECT_EQ(ReadBytes(store / "key.dat"), ReadBytes(carrier / "key.dat"));
  ASSERT_EQ(window->keyList->count(), 1);
  EXPECT_EQ(window->keyList->itemText(0), "Shared");
}

TEST_F(KeyManagementWindowTest, DeleteKeysOnYesLeavesAnEmptyList) {
  WriteDefaultKey(store.Folder());
  Start();
  Manage([this](auto& form) {
    dialogs.answers = {base::Answer::Yes};
    form.deleteKeysButton->click();
  });
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Key File is deleted.  No Cryptions are now possible."));
  Manage([](auto& form) { EXPECT_EQ(form.keyList->count(), 0); });
}

// Beside the key being typed stands its check code, worked out by hand for
// the test key in the key check code tests.
TEST_F(KeyManagementWindowTest, TheCheckCodeFollowsTheKeyInTheEditorAsStored) {
  WriteDefaultKey(store.Folder());
  Start();
  Manage([](auto& form) {
    auto* code = form.template findChild<QLabel*>("keyCheckCode");
    ASSERT_NE(code, nullptr);
    ASSERT_TRUE(PickFromList(*form.keyList, kTestKeyName));
    EXPECT_EQ(code->text(), "79JP-RGHP-PD2Y-QSBK");
    form.keyTextEdit->clear();
    EXPECT_TRUE(code->text().isEmpty());
    // Typed text is coded as it is stored, not as the window holds it.
    form.keyTextEdit->insert("été");
    EXPECT_EQ(code->text(), "M34Z-3XXV-CBBM-Y3RB");
  });
}

}  // namespace
}  // namespace ostrel::testing
