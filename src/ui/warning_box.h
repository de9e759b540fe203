#pragma once
// The warning the windows build themselves (the flows hand over their own
// message boxes).

#include <string>
#include <utility>

#include "base/dialogs.h"

namespace ostrel::ui {

// The text with an OK button and the exclamation icon, under the program's
// own title.
inline base::MessageBox WarningBox(std::string text) {
  base::MessageBox box = base::PlainBox(std::move(text));
  box.icon = base::Icon::Exclamation;
  return box;
}

}  // namespace ostrel::ui
