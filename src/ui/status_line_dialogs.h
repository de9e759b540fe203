#pragma once
// The dialogs the main window hands to the flows: message boxes go to the
// dialogs it was given, status texts to its status line, repainted at once
// because the work that follows keeps the event loop busy.

#include <functional>
#include <string_view>

#include "base/dialogs.h"

namespace ostrel::ui {

class StatusLineDialogs : public base::Dialogs {
 public:
  StatusLineDialogs(base::Dialogs& inner, std::function<void(std::string_view)> showStatus)
      : inner_(inner), showStatus_(std::move(showStatus)) {}

  void Show(const base::MessageBox& box) override;
  base::Answer Ask(const base::MessageBox& box) override;
  void SetStatus(std::string_view text) override;

 private:
  base::Dialogs& inner_;
  std::function<void(std::string_view)> showStatus_;
};

}  // namespace ostrel::ui
