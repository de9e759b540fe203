#pragma once
// The program's application object: its name and icon, and the last net of
// the window boundary. Handlers are guarded where they are connected; an
// exception that still comes out of an event's delivery is caught here,
// before Qt's event loop would meet it, and shown once the event is over.

#include <QApplication>

namespace ostrel::base {
class Dialogs;
}

namespace ostrel::ui {

class ProgramApplication : public QApplication {
  Q_OBJECT

 public:
  ProgramApplication(int& argc, char** argv);

  // Where failures caught in notify are shown; none: standard error.
  void SetFailureDialogs(base::Dialogs* dialogs) { failureDialogs_ = dialogs; }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  void ShowFailure(const QString& reason);

  base::Dialogs* failureDialogs_ = nullptr;
  QString lastFailure_;
};

}  // namespace ostrel::ui
