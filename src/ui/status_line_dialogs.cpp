#include "ui/status_line_dialogs.h"

#include <QApplication>
#include <QGuiApplication>

namespace ostrel::ui {
namespace {

// A message box must show the normal pointer even in the middle of long work.
class NormalPointer {
 public:
  NormalPointer() : waiting_(QGuiApplication::overrideCursor() != nullptr) {
    if (waiting_) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~NormalPointer() {
    if (waiting_) QGuiApplication::restoreOverrideCursor();
  }
  NormalPointer(const NormalPointer&) = delete;
  NormalPointer& operator=(const NormalPointer&) = delete;

 private:
  bool waiting_;
};

}  // namespace

void StatusLineDialogs::Show(const base::MessageBox& box) {
  NormalPointer pointer;
  inner_.Show(box);
}

base::Answer StatusLineDialogs::Ask(const base::MessageBox& box) {
  NormalPointer pointer;
  return inner_.Ask(box);
}

void StatusLineDialogs::SetStatus(std::string_view text) {
  showStatus_(text);
  inner_.SetStatus(text);
}

}  // namespace ostrel::ui
