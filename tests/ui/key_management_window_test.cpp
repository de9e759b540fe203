// Key management, opened from the main window: the key list and summary,
// Generate, Add/Update, Set, carrying the key files through a folder, and
// Delete Keys.

#include "keys/key_store.h"
#include "ui/frm_key_management.h"
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
  Open<ui::frmKeyManagement>(window->flekey, [](auto& form) {
    EXPECT_EQ(form.windowTitle(), "Key Management");
    ASSERT_EQ(form.Combo1->count(), 3);
    EXPECT_EQ(form.Combo1->itemText(0), "Other");
    EXPECT_EQ(form.Combo1->currentText(), "Other");
    EXPECT_EQ(form.Label3->text(), " 3 keys defined.  Default key is Alice.");
    EXPECT_TRUE(form.lbStat->text().isEmpty());

    ASSERT_TRUE(PickFromList(*form.Combo1, "Alice"));
    EXPECT_EQ(form.Text1->text(), "Alice");
    EXPECT_EQ(form.Text2->text(), kTestKey);
    EXPECT_TRUE(form.Check1->isChecked());
    ASSERT_TRUE(PickFromList(*form.Combo1, "Other"));
    EXPECT_EQ(form.Text2->text(), "other key");
    EXPECT_FALSE(form.Check1->isChecked());
    ASSERT_TRUE(PickFromList(*form.Combo1, "Home"));
    form.Command1->click();
    EXPECT_EQ(form.lbStat->text(), "Key is now loaded.");
    EXPECT_FALSE(form.isVisible());
  });
  EXPECT_EQ(ReadBytes(store / "key.key"), "123456789123456789\r\n");
  EXPECT_EQ(window->Combo1->currentText(), "Home") << "the main window's key list follows";
  EXPECT_EQ(ReadBytes(store / "key.dat"), before) << "looking and choosing change no stored key";
}

TEST_F(KeyManagementWindowTest, AddUpdateKeepsOneDefaultAndUpdatesANameRegardlessOfCase) {
  Start();
  Open<ui::frmKeyManagement>(window->flekey, [this](auto& form) {
    form.Text1->setText("Home");
    form.Command4->click();
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Missing Data.  Enter a Name and a Key or generate one."));
    EXPECT_EQ(Records().size(), 2u);

    form.Text2->setText("123456789123456789");
    form.Check1->setChecked(true);
    form.Command4->click();
    EXPECT_EQ(form.Label3->text(), " 3 keys defined.  Default key is Home.");
    EXPECT_EQ(form.Combo1->count(), 3);

    form.Text1->setText("home");
    form.Text2->setText("987654321987654321");
    form.Check1->setChecked(false);
    form.Command4->click();
    EXPECT_EQ(form.Label3->text(), QString(" 3 keys defined.  ") + kNoDefault);
    EXPECT_EQ(Records().back(), (keys::KeyRecord{"home", "987654321987654321", false}));
    EXPECT_TRUE(form.isVisible());
  });
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(KeyManagementWindowTest, TheKeyBoxRefusesWhatTheEngineWouldRefuseAndGenerateFillsOnlyIt) {
  Start();
  Open<ui::frmKeyManagement>(window->flekey, [](auto& form) {
    // The key repeats to 18 characters, so a minus sign after a digit ends up
    // before one.
    QTest::keyClicks(form.Text2, "4-9");
    EXPECT_EQ(form.Text2->text(), "49");
    form.Text2->clear();
    QTest::keyClicks(form.Text2, "-a");
    EXPECT_EQ(form.Text2->text(), "-a") << "a minus sign before a letter is harmless";
    form.Text2->clear();
    QTest::keyClicks(form.Text2, "12345678901234567890");
    EXPECT_EQ(form.Text2->text(), "123456789012345678");

    form.Text1->setText("Typed name");
    form.Check1->setChecked(true);
    form.Command3->click();
    const QString first = form.Text2->text();
    EXPECT_TRUE(QRegularExpression("^[1-9]{18}$").match(first).hasMatch()) << first.toStdString();
    form.Command3->click();
    EXPECT_NE(form.Text2->text(), first);
    EXPECT_EQ(form.Text1->text(), "Typed name");
    EXPECT_TRUE(form.Check1->isChecked());
  });
}

TEST_F(KeyManagementWindowTest, TransferAndRestoreCarryBothKeyFilesThroughAFolder) {
  keys::WriteSelectedKey(store.Folder(), kTestKey);
  TempFolder carrier;
  const std::string keyStore = ReadBytes(store / "key.dat");
  Start();
  desktop.chosenFolders = {carrier.Path(), carrier.Path()};
  Open<ui::frmKeyManagement>(window->flekey, [&](auto& form) {
    form.Command5->click();
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Keys Transferred."));
    EXPECT_EQ(ReadBytes(carrier / "key.key"), std::string(kTestKey) + "\r\n");

    keys::WriteKeys(store.Folder(), {{"Changed", "555555555555555555", true}});
    form.Command7->click();
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
  Open<ui::frmKeyManagement>(window->flekey, [&](auto& form) {
    form.Text1->setText("Bob");
    form.Text2->setText("123456789123456789");
    form.Check1->setChecked(true);
    form.Command4->click();
    EXPECT_EQ(form.Label3->text(), " 1 keys defined.  Default key is Bob.");
    EXPECT_EQ(form.lbStat->text(), "Key is now loaded.");
    EXPECT_EQ(window->Program().CurrentKey, "123456789123456789");
    EXPECT_TRUE(window->Program().Engine.KeyLoaded());

    form.Command5->click();
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Keys Transferred."));
    EXPECT_EQ(ReadBytes(carrier / "key.dat"), ReadBytes(store / "key.dat"));
    EXPECT_FALSE(std::filesystem::exists(carrier / "key.key"));

    // A later default key does not replace the key in use.
    form.Text1->setText("Carol");
    form.Text2->setText("987654321987654321");
    form.Command4->click();
    EXPECT_TRUE(form.lbStat->text().isEmpty());
    EXPECT_EQ(window->Program().CurrentKey, "123456789123456789");
  });
  EXPECT_EQ(window->Combo1->currentText(), "Bob");
  EXPECT_FALSE(window->Combo1->isHidden());
}

TEST_F(KeyManagementWindowTest, RestoringKeysWithADefaultKeyLoadsItWhenNoKeyIsLoaded) {
  TempFolder carrier;
  keys::WriteKeys(carrier.Path(), {{"Shared", "123456789123456789", true}});
  std::filesystem::remove(store / "key.dat");
  Start();
  desktop.chosenFolders = {carrier.Path()};
  Open<ui::frmKeyManagement>(window->flekey, [&](auto& form) {
    form.Command7->click();
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Keys Restored."));
    EXPECT_EQ(form.lbStat->text(), "Key is now loaded.");
  });
  EXPECT_EQ(window->Program().CurrentKey, "123456789123456789");
  EXPECT_EQ(window->Combo1->currentText(), "Shared");
}

TEST_F(KeyManagementWindowTest, AKeyThatDoesNotFitAsStoredIsSaidAsTypedAndNotStored) {
  Start();
  const std::string before = ReadBytes(store / "key.dat");
  Open<ui::frmKeyManagement>(window->flekey, [this](auto& form) {
    EXPECT_TRUE(form.Label4->isHidden());
    form.Text1->setText("Omega");
    // Ω has no key of its own on the test keyboard: it comes as typed text.
    QTest::sendKeyEvent(QTest::Click, form.Text2, Qt::Key_unknown, QString::fromUtf8("\u03A9"), Qt::NoModifier);
    QTest::keyClicks(form.Text2, "mega123456789012");
    EXPECT_TRUE(form.Label4->isHidden()) << "17 characters in 18 bytes fit";
    QTest::keyClicks(form.Text2, "3");
    EXPECT_EQ(form.Text2->text(), QString::fromUtf8("\u03A9mega1234567890123"));
    EXPECT_FALSE(form.Label4->isHidden());
    EXPECT_THAT(form.Label4->text().toStdString(), HasSubstr("This key takes 19 bytes as stored"));
    form.Command4->click();
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre(form.Label4->text().toStdString()));
    QTest::keyClick(form.Text2, Qt::Key_Backspace);
    EXPECT_TRUE(form.Label4->isHidden());
  });
  EXPECT_EQ(ReadBytes(store / "key.dat"), before);
}

TEST_F(KeyManagementWindowTest, DeleteKeysAsksFirstAndOnYesWipesBothFiles) {
  keys::WriteSelectedKey(store.Folder(), kTestKey);
  Start();
  Open<ui::frmKeyManagement>(window->flekey, [this](auto& form) {
    dialogs.answers.push_back(base::Answer::No);
    form.Command6->click();
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text,
              "Please make certain that you transfer the key file before deleting it.  Are you sure you want to "
              "delete the Key File?");
    EXPECT_TRUE(std::filesystem::exists(store / "key.dat"));

    dialogs.answers.push_back(base::Answer::Yes);
    form.Command6->click();
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("Key File is deleted.  No Cryptions are now possible."));
    EXPECT_FALSE(std::filesystem::exists(store / "key.dat"));
  });
  Open<ui::frmKeyManagement>(window->flekey, [](auto& form) {
    EXPECT_EQ(form.Label3->text(), QString(" 0 keys defined.  ") + kNoDefault);
    EXPECT_EQ(form.Combo1->count(), 0);
  });
}

}  // namespace
}  // namespace ostrel::testing
