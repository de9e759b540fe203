#include "ui/program_application.h"

#include <QTimer>
#include <cstdio>

#include "base/dialogs.h"
#include "ui/fallback_icons.h"
#include "ui/guarded.h"

namespace ostrel::ui {

// Window captions stay exactly as each window sets them: with a display name
// set, the platform would append it to every caption.
ProgramApplication::ProgramApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName("ostrel-email");
  setDesktopFileName("ostrel-email");
  setWindowIcon(ProgramIcon());
}

bool ProgramApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    // A message box shown in the middle of the delivery (a paint, say) would
    // run inside it; it waits until the event is over.
    const QString reason = QString::fromStdString(ReasonOf(std::current_exception()));
    QTimer::singleShot(0, this, [this, reason] { ShowFailure(reason); });
    return false;
  }
}

void ProgramApplication::ShowFailure(const QString& reason) {
  // A failure that comes back with every paint is shown once, not once a paint.
  if (reason == lastFailure_) return;
  lastFailure_ = reason;
  const base::MessageBox box = FailureBox("An action", reason.toStdString());
  if (failureDialogs_ != nullptr) {
    try {
      failureDialogs_->Show(box);
      return;
    } catch (...) {
      // Standard error below is all that is left.
    }
  }
  std::fprintf(stderr, "%s\n", box.text.c_str());
}

}  // namespace ostrel::ui
