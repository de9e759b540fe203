// Key check codes in the windows: as the tool tips of the key lists of the
// main, compose and key management windows, and beside the key being typed.

#include "keys/key_check_code.h"
#include "ui/compose_window.h"
#include "ui/key_management_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

// The test key's code, worked out by hand in the key check code tests.
const QString kTestKeyTip = "Check code 79JP-RGHP-PD2Y-QSBK";

using KeyCheckWindowTest = MainWindowTest;

TEST_F(KeyCheckWindowTest, EveryKeyListTellsEachKeysCodeAndKeyManagementTheCodeOfTheKeyTyped) {
  WriteDefaultKey(store.Folder());  // "Other", then the test key as the default
  const QString otherKeyTip = "Check code " + QString::fromStdString(keys::KeyCheckCode("other key"));
  Start();
  ASSERT_EQ(window->keyList->count(), 2);
  EXPECT_EQ(window->keyList->itemData(0, Qt::ToolTipRole).toString(), otherKeyTip);
  EXPECT_EQ(window->keyList->toolTip(), kTestKeyTip) << "the key shown";

  OnNext<ui::ComposeWindow>([&](auto& compose) {
    EXPECT_EQ(compose.keyList->itemData(0, Qt::ToolTipRole).toString(), otherKeyTip);
    EXPECT_EQ(compose.keyList->toolTip(), kTestKeyTip);
    ASSERT_TRUE(PickFromList(*compose.keyList, "Other"));
    EXPECT_EQ(compose.keyList->toolTip(), otherKeyTip);
  });
  window->newMessageAction->trigger();

  Open<ui::KeyManagementDialog>(window->keyManagementAction, [](auto& form) {
    auto* code = form.template findChild<QLabel*>("keyCheckCode");
    ASSERT_NE(code, nullptr);
    EXPECT_TRUE(code->text().isEmpty());
    EXPECT_EQ(form.keyList->itemData(1, Qt::ToolTipRole).toString(), kTestKeyTip);
    ASSERT_TRUE(PickFromList(*form.keyList, kTestKeyName));
    EXPECT_EQ(code->text(), "79JP-RGHP-PD2Y-QSBK");
    form.keyTextEdit->clear();
    EXPECT_TRUE(code->text().isEmpty());
    // Typed text is coded as it is stored, not as the window holds it.
    form.keyTextEdit->insert("été");
    EXPECT_EQ(code->text(), "M34Z-3XXV-CBBM-Y3RB");
  });
  EXPECT_THAT(desktop.opened, ElementsAre("ComposeWindow", "KeyManagementDialog"));
}

}  // namespace
}  // namespace ostrel::testing
