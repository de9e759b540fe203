// Key check codes in the windows: beside the key in key management, and as
// the tool tips of the key lists of the main and compose windows.

#include "keys/key_check_code.h"
#include "keys/key_store.h"
#include "support/folder_contents.h"
#include "ui/compose_window.h"
#include "ui/key_management_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

// The test key's code, worked out by hand in the key check code tests.
const QString kTestKeyTip = "Check code 79JP-RGHP-PD2Y-QSBK";

QString OtherKeyTip() { return "Check code " + QString::fromStdString(keys::KeyCheckCode("other key")); }

class KeyCheckWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    WriteDefaultKey(store.Folder());  // "Other", then the test key as the default
  }
};

TEST_F(KeyCheckWindowTest, KeyManagementShowsTheCodeBesideTheKeyAsItIsTyped) {
  Start();
  const FolderContents before = ReadFolderContents(store.Folder());
  Open<ui::KeyManagementDialog>(window->keyManagementAction, [](auto& form) {
    auto* code = form.template findChild<QLabel*>("keyCheckCode");
    ASSERT_NE(code, nullptr);
    EXPECT_TRUE(code->text().isEmpty());
    EXPECT_EQ(form.keyList->itemData(1, Qt::ToolTipRole).toString(), kTestKeyTip);

    ASSERT_TRUE(PickFromList(*form.keyList, kTestKeyName));
    EXPECT_EQ(code->text(), "79JP-RGHP-PD2Y-QSBK");
    // A correspondent who typed one digit wrong sees another code at once.
    form.keyTextEdit->setCursorPosition(18);
    QTest::keyClick(form.keyTextEdit, Qt::Key_Backspace);
    QTest::keyClicks(form.keyTextEdit, "3");
    EXPECT_EQ(form.keyTextEdit->text(), "730145928837465013");
    EXPECT_NE(code->text(), "79JP-RGHP-PD2Y-QSBK");
    EXPECT_EQ(code->text().size(), 19);

    form.keyTextEdit->clear();
    EXPECT_TRUE(code->text().isEmpty());
    form.keyTextEdit->insert("été");
    EXPECT_EQ(code->text(), "M34Z-3XXV-CBBM-Y3RB");
    form.cancelButton->click();
  });
  EXPECT_EQ(ReadFolderContents(store.Folder()), before) << "showing codes writes nothing";
}

TEST_F(KeyCheckWindowTest, TheKeyListsOfTheMainAndComposeWindowsTellEachKeysCode) {
  Start();
  ASSERT_EQ(window->keyList->count(), 2);
  EXPECT_EQ(window->keyList->itemData(0, Qt::ToolTipRole).toString(), OtherKeyTip());
  EXPECT_EQ(window->keyList->itemData(1, Qt::ToolTipRole).toString(), kTestKeyTip);
  EXPECT_EQ(window->keyList->currentText(), kTestKeyName);
  EXPECT_EQ(window->keyList->toolTip(), kTestKeyTip);

  OnNext<ui::ComposeWindow>([](auto& compose) {
    ASSERT_EQ(compose.keyList->count(), 2);
    EXPECT_EQ(compose.keyList->itemData(0, Qt::ToolTipRole).toString(), OtherKeyTip());
    EXPECT_EQ(compose.keyList->itemData(1, Qt::ToolTipRole).toString(), kTestKeyTip);
    EXPECT_EQ(compose.keyList->toolTip(), kTestKeyTip);
    ASSERT_TRUE(PickFromList(*compose.keyList, "Other"));
    EXPECT_EQ(compose.keyList->toolTip(), OtherKeyTip());
  });
  window->newMessageAction->trigger();
  EXPECT_THAT(desktop.titles, ElementsAre("New Message"));

  // "other key" is loaded as "other keyother key", which no stored text
  // equals, so the list shows no key and no code after the activation.
  EXPECT_EQ(window->keyList->currentIndex(), -1);
  EXPECT_TRUE(window->keyList->toolTip().isEmpty());
  ASSERT_TRUE(PickFromList(*window->keyList, kTestKeyName));
  EXPECT_EQ(window->keyList->toolTip(), kTestKeyTip);
}

TEST_F(KeyCheckWindowTest, AKeyAddedInKeyManagementTakesItsCodeIntoTheMainKeyList) {
  Start();
  Open<ui::KeyManagementDialog>(window->keyManagementAction, [](auto& form) {
    form.keyNameEdit->setText("Club");
    form.keyTextEdit->setText("4711");
    form.addUpdateButton->click();
    EXPECT_EQ(form.keyList->itemData(2, Qt::ToolTipRole).toString(),
              "Check code " + QString::fromStdString(keys::KeyCheckCode("4711")));
  });
  ASSERT_EQ(window->keyList->count(), 3);
  EXPECT_EQ(window->keyList->itemData(2, Qt::ToolTipRole).toString(),
            "Check code " + QString::fromStdString(keys::KeyCheckCode("4711")));
}

}  // namespace
}  // namespace ostrel::testing
