#pragma once
// The window boundary. No exception may reach Qt's event loop, so every
// handler a window connects runs through Guarded (OnClick and OnTrigger for
// buttons and menu items), start-up and the main window's own event handlers
// through RunGuarded, and ProgramApplication catches whatever still slips
// past. A failure becomes one message box: what the person did, then the
// reason, which names the file and gives the system's own words. The flows
// that change two files look at both before writing either, so a file that
// may not be written stops them with nothing changed.

#include <QAbstractButton>
#include <QAction>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "base/dialogs.h"

namespace ostrel::ui {

// "<action> failed." over the reason, as a warning.
base::MessageBox FailureBox(std::string_view action, std::string_view reason);

// What an exception says, as a sentence: "cannot open /p/key.dat: Permission
// denied" becomes "Cannot open /p/key.dat: Permission denied."
std::string ReasonOf(const std::exception_ptr& failure);

// Runs work. An exception from it is shown as a failure of action and goes
// no further. False when work failed.
bool RunGuarded(base::Dialogs& dialogs, std::string_view action, const std::function<void()>& work) noexcept;

// A handler for connect(): runs handler through RunGuarded, with the signal's
// arguments when it takes them.
template <typename Handler>
auto Guarded(base::Dialogs& dialogs, std::string action, Handler handler) {
  return [&dialogs, action = std::move(action), handler = std::move(handler)](auto&&... arguments) mutable {
    RunGuarded(dialogs, action, [&] {
      if constexpr (std::is_invocable_v<Handler&, decltype(arguments)...>) {
        handler(std::forward<decltype(arguments)>(arguments)...);
      } else {
        handler();
      }
    });
  };
}

// The caption of a button or menu item as a failure names it, in quotes:
// "Save", "Delete Msg", "Options/Accounts" (shortcut marks and trailing dots
// left out).
std::string ActionName(const QString& caption);

// A click on the button runs handler, guarded under the button's caption.
template <typename Handler>
QMetaObject::Connection OnClick(QAbstractButton* button, base::Dialogs& dialogs, Handler handler) {
  return QObject::connect(button, &QAbstractButton::clicked, button,
                          Guarded(dialogs, ActionName(button->text()), std::move(handler)));
}

// Choosing the menu item runs handler, guarded under the item's caption.
template <typename Handler>
QMetaObject::Connection OnTrigger(QAction* item, base::Dialogs& dialogs, Handler handler) {
  return QObject::connect(item, &QAction::triggered, item,
                          Guarded(dialogs, ActionName(item->text()), std::move(handler)));
}

}  // namespace ostrel::ui
