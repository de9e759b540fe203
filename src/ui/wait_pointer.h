#pragma once
// The wait pointer for the length of one short piece of work on the
// user-interface thread (work that can run longer shows a WorkProgress).

#include <QGuiApplication>

namespace ostrel::ui {

class WaitPointer {
 public:
  WaitPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitPointer() { QGuiApplication::restoreOverrideCursor(); }
  WaitPointer(const WaitPointer&) = delete;
  WaitPointer& operator=(const WaitPointer&) = delete;
};

}  // namespace ostrel::ui
