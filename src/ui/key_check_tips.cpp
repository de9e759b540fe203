#include "ui/key_check_tips.h"

#include <QComboBox>

#include "keys/key_check_code.h"
#include "ui/qt_text.h"

namespace ostrel::ui {
namespace {

void ShowTipOfShownKey(QComboBox& keyList) {
  const int shown = keyList.currentIndex();
  keyList.setToolTip(shown < 0 ? QString() : keyList.itemData(shown, Qt::ToolTipRole).toString());
}

}  // namespace

QString KeyCheckTip(std::string_view code) { return "Check code " + ToQString(code); }

void FollowKeyCheckTips(QComboBox& keyList) {
  QObject::connect(&keyList, &QComboBox::currentIndexChanged, &keyList, [&keyList] { ShowTipOfShownKey(keyList); });
}

void ShowKeyCheckTips(QComboBox& keyList, const std::vector<keys::KeyRecord>& records) {
  for (int i = 0; i < keyList.count(); ++i) {
    const auto code = keys::KeyCheckCodeOfName(records, keyList.itemText(i).toStdString());
    keyList.setItemData(i, code ? KeyCheckTip(*code) : QString(), Qt::ToolTipRole);
  }
  ShowTipOfShownKey(keyList);
}

}  // namespace ostrel::ui
