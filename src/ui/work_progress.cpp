#include "ui/work_progress.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProgressDialog>
#include <algorithm>
#include <limits>

namespace ostrel::ui {
namespace {

constexpr qint64 kRepaintEveryMs = 50;

int Scaled(std::size_t value, std::size_t total) {
  // QProgressDialog counts in int; very large totals are scaled down.
  constexpr auto kLimit = static_cast<std::size_t>(std::numeric_limits<int>::max());
  if (total <= kLimit) return static_cast<int>(value);
  return static_cast<int>(value / (total / kLimit + 1));
}

}  // namespace

WorkProgress::WorkProgress(QWidget* parent, QString label, int showAfterMs)
    : parent_(parent), label_(std::move(label)), showAfterMs_(showAfterMs) {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  clock_.start();
}

WorkProgress::~WorkProgress() {
  if (window_) window_->hide();
  QGuiApplication::restoreOverrideCursor();
}

base::ProgressReport WorkProgress::Report() {
  return [this](std::size_t done, std::size_t total) { Advance(done, total); };
}

void WorkProgress::Advance(std::size_t done, std::size_t total) {
  if (!window_) {
    if (clock_.elapsed() < showAfterMs_ || done >= total) return;
    window_ = std::make_unique<QProgressDialog>(label_, QString(), 0, 1, parent_);
    window_->setObjectName("WorkProgress");
    window_->setWindowTitle(QCoreApplication::applicationName());
    window_->setWindowModality(Qt::ApplicationModal);
    window_->setCancelButton(nullptr);
    window_->setAutoClose(false);
    window_->setAutoReset(false);
    window_->setMinimumDuration(0);
    window_->show();
  } else if (lastPaint_.isValid() && lastPaint_.elapsed() < kRepaintEveryMs && done < total) {
    return;
  }
  window_->setMaximum(std::max(1, Scaled(total, total)));
  window_->setValue(Scaled(std::min(done, total), total));
  // Only painting: a click or key press now would start other work in the
  // middle of this one.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  lastPaint_.start();
}

}  // namespace ostrel::ui
