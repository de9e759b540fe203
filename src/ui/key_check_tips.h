#pragma once
// The key lists of the main, compose and key management windows carry each
// key's check code: as the tool tip of each entry, and as the list's own
// tool tip for the key it shows.

#include <QString>
#include <string_view>
#include <vector>

#include "keys/key_store.h"

class QComboBox;

namespace ostrel::ui {

// "Check code 79JP-RGHP-PD2Y-QSBK".
QString KeyCheckTip(std::string_view code);

// Once, when the list is built: the list's tool tip follows the key shown.
void FollowKeyCheckTips(QComboBox& keyList);

// After each filling of the list from these records: every entry gets the
// code of the key choosing it would load.
void ShowKeyCheckTips(QComboBox& keyList, const std::vector<keys::KeyRecord>& records);

}  // namespace ostrel::ui
