#pragma once
// Message boxes and questions of the flows as QMessageBox windows, with the
// texts, titles and buttons the flows give.

#include <QPointer>
#include <QWidget>

#include "base/dialogs.h"

namespace ostrel::ui {

inline constexpr const char* kProgramTitle = "Ostrel Encryption Email";

class QtDialogs : public base::Dialogs {
 public:
  // Message boxes are centred over this window once it is set.
  void SetParentWindow(QWidget* window) { parent_ = window; }

  void Show(const base::MessageBox& box) override;
  base::Answer Ask(const base::MessageBox& box) override;
  // The status line is the main window's; see StatusLineDialogs.
  void SetStatus(std::string_view) override {}

 private:
  QPointer<QWidget> parent_;
};

}  // namespace ostrel::ui
