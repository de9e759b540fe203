#pragma once
// Work on the user-interface thread that may take more than a second: the
// wait pointer at once, and a progress window once a second has passed, so
// that a person can see the program is getting on with it.

#include <QElapsedTimer>
#include <QString>
#include <memory>

#include "base/progress.h"

class QProgressDialog;
class QWidget;

namespace ostrel::ui {

class WorkProgress {
 public:
  // label: what is being done ("Emptying the Trash..."). showAfterMs: how
  // long the work runs before the progress window appears.
  WorkProgress(QWidget* parent, QString label, int showAfterMs = 1000);
  ~WorkProgress();
  WorkProgress(const WorkProgress&) = delete;
  WorkProgress& operator=(const WorkProgress&) = delete;

  // The report to hand to the work; valid while this object lives.
  base::ProgressReport Report();

  // The progress window, once it has appeared.
  const QProgressDialog* Window() const { return window_.get(); }

 private:
  void Advance(std::size_t done, std::size_t total);

  QWidget* parent_;
  QString label_;
  int showAfterMs_;
  QElapsedTimer clock_;
  QElapsedTimer lastPaint_;
  std::unique_ptr<QProgressDialog> window_;
};

}  // namespace ostrel::ui
