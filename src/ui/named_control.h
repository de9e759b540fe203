#pragma once
// Each control carries the name of the member that holds it as its object
// name, so the tests and the screenshots can find it by its role.

#include <utility>

namespace ostrel::ui {

// Named<QLabel>("toLabel", "To", parent): a new control of that kind, built
// from the arguments, carrying the name.
template <typename Control, typename... Arguments>
Control* Named(const char* name, Arguments&&... arguments) {
  auto* control = new Control(std::forward<Arguments>(arguments)...);
  control->setObjectName(name);
  return control;
}

}  // namespace ostrel::ui
