#include "ui/page_printer.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

namespace ostrel::ui {

bool PrintPage(QPagedPaintDevice& device, const std::vector<std::string>& lines) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(10);
  painter.setFont(font);
  const QFontMetrics metrics(painter.font(), &device);
  const int pageWidth = device.width();
  const int pageHeight = device.height();
  const int lineHeight = metrics.lineSpacing();
  int y = metrics.ascent();
  auto newLine = [&] {
    y += lineHeight;
    if (y + metrics.descent() > pageHeight) {
      device.newPage();
      y = metrics.ascent();
    }
  };
  for (const auto& line : lines) {
    QString rest = QString::fromStdString(line);
    do {
      // Break a line too wide for the page where the page ends.
      int fits = static_cast<int>(rest.size());
      while (fits > 1 && metrics.horizontalAdvance(rest.left(fits)) > pageWidth) fits = fits * 9 / 10;
      painter.drawText(0, y, rest.left(fits));
      rest = rest.mid(fits);
      newLine();
    } while (!rest.isEmpty());
  }
  painter.end();
  return true;
}

}  // namespace ostrel::ui
