#include "base/dialogs.h"

#include <iostream>

namespace ostrel::base {

void UnattendedDialogs::Show(const MessageBox& box) { std::cerr << box.text << '\n'; }

Answer UnattendedDialogs::Ask(const MessageBox& box) {
  std::cerr << box.text << '\n';
  return answer_;
}

void UnattendedDialogs::SetStatus(std::string_view) {}

}  // namespace ostrel::base
