#pragma once
// What the settings window tests share: picking an entry from a drop-down
// list as a person would.

#include <QComboBox>

namespace ostrel::testing {

// Chooses the entry with this text from the list; false when it is not there.
inline bool PickFromList(QComboBox& list, const QString& text) {
  const int index = list.findText(text);
  if (index < 0) return false;
  list.setCurrentIndex(index);
  emit list.activated(index);
  return true;
}

}  // namespace ostrel::testing
