#pragma once
// Controls are known by their names in the window's design (the tests and
// the screenshots find them that way), so each is made with its name set.

#include <utility>

namespace ostrel::ui {

// Named<QLabel>("Label1", "To", parent): a new control of that kind, built
// from the arguments, carrying the name.
template <typename Control, typename... Arguments>
Control* Named(const char* name, Arguments&&... arguments) {
  auto* control = new Control(std::forward<Arguments>(arguments)...);
  control->setObjectName(name);
  return control;
}

}  // namespace ostrel::ui
