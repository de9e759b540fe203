#pragma once
// A plain message box: the text, an OK button, no title and no icon.

#include <string>
#include <utility>

#include "base/dialogs.h"

namespace ostrel::keys {

inline base::MessageBox PlainBox(std::string text) {
  base::MessageBox box;
  box.text = std::move(text);
  return box;
}

}  // namespace ostrel::keys
