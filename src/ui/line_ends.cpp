#include "ui/line_ends.h"

namespace ostrel::ui {

QString ShownLines(const std::string& stored) {
  QString lines = QString::fromStdString(stored);
  lines.replace("\r\n", "\n");
  return lines;
}

std::string StoredLines(const QString& shown) {
  QString lines = shown;
  lines.replace("\r\n", "\n");
  lines.replace('\r', '\n');
  lines.replace("\n", "\r\n");
  return lines.toStdString();
}

}  // namespace ostrel::ui
