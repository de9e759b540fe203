#include "screenshot_support.h"

#include <QApplication>
#include <QPixmap>
#include <QWidget>
#include <iostream>

namespace ostrel::app {

bool SaveWindow(QWidget& window, const QDir& target, const QString& name) {
  window.show();
  QApplication::processEvents();
  const bool saved = window.grab().save(target.filePath(name + ".png"));
  window.hide();
  if (!saved) std::cerr << "could not write " << name.toStdString() << ".png\n";
  return saved;
}

}  // namespace ostrel::app
