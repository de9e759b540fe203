#include "ui/fallback_icons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <filesystem>
#include <string>
#include <system_error>

#include "store/program_folder.h"

namespace ostrel::ui {
namespace {

constexpr int kSize = 48;
// Mid-tone colours with dark outlines read on light and dark themes alike.
const QColor kOutline(40, 48, 60);
const QColor kPaper(236, 240, 246);
const QColor kBlue(52, 120, 200);
const QColor kGreen(46, 160, 90);
const QColor kRed(200, 60, 50);
const QColor kAmber(230, 160, 40);
const QColor kGrey(130, 140, 150);

void Envelope(QPainter& p, QRectF r) {
  p.setPen(QPen(kOutline, 2.5));
  p.setBrush(kPaper);
  p.drawRoundedRect(r, 3, 3);
  QPainterPath flap;
  flap.moveTo(r.topLeft());
  flap.lineTo(r.center().x(), r.top() + r.height() * 0.55);
  flap.lineTo(r.topRight());
  p.setBrush(Qt::NoBrush);
  p.drawPath(flap);
}

void Badge(QPainter& p, QPointF centre, const QColor& colour) {
  p.setPen(QPen(kOutline, 2));
  p.setBrush(colour);
  p.drawEllipse(centre, 10, 10);
}

void Arrow(QPainter& p, QPointF centre, bool down) {
  p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const double d = down ? 1 : -1;
  p.drawLine(centre + QPointF(0, -5 * d), centre + QPointF(0, 5 * d));
  p.drawLine(centre + QPointF(-4, 1 * d), centre + QPointF(0, 5 * d));
  p.drawLine(centre + QPointF(4, 1 * d), centre + QPointF(0, 5 * d));
}

void Cross(QPainter& p, QPointF c) {
  p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c + QPointF(-4, -4), c + QPointF(4, 4));
  p.drawLine(c + QPointF(-4, 4), c + QPointF(4, -4));
}

void Plus(QPainter& p, QPointF c) {
  p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c + QPointF(-5, 0), c + QPointF(5, 0));
  p.drawLine(c + QPointF(0, -5), c + QPointF(0, 5));
}

void Key(QPainter& p, const QColor& colour) {
  p.setPen(QPen(kOutline, 2.5));
  p.setBrush(colour);
  p.drawEllipse(QPointF(15, 24), 9, 9);
  p.setBrush(kPaper);
  p.drawEllipse(QPointF(15, 24), 3, 3);
  p.setBrush(colour);
  p.drawRect(QRectF(24, 21, 19, 6));
  p.drawRect(QRectF(35, 27, 4, 6));
  p.drawRect(QRectF(29, 27, 3, 5));
}

void Book(QPainter& p) {
  p.setPen(QPen(kOutline, 2.5));
  p.setBrush(kBlue);
  p.drawRoundedRect(QRectF(10, 5, 28, 38), 3, 3);
  p.setBrush(kPaper);
  p.drawRect(QRectF(16, 12, 16, 8));
  p.setBrush(kOutline);
  for (int y : {10, 20, 30}) p.drawRect(QRectF(7, y, 6, 4));
}

void Trash(QPainter& p, const QColor& colour) {
  p.setPen(QPen(kOutline, 2.5));
  p.setBrush(colour);
  p.drawRect(QRectF(9, 9, 30, 5));
  p.drawRect(QRectF(19, 5, 10, 4));
  QPainterPath can;
  can.moveTo(12, 14);
  can.lineTo(36, 14);
  can.lineTo(33, 43);
  can.lineTo(15, 43);
  can.closeSubpath();
  p.drawPath(can);
  for (int x : {19, 24, 29}) p.drawLine(QPointF(x, 19), QPointF(x, 38));
}

void Broom(QPainter& p) {
  p.setPen(QPen(kOutline, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(38, 5), QPointF(22, 28));
  p.setPen(QPen(kOutline, 2.5));
  p.setBrush(kAmber);
  QPainterPath head;
  head.moveTo(16, 24);
  head.lineTo(28, 32);
  head.lineTo(20, 44);
  head.lineTo(6, 36);
  head.closeSubpath();
  p.drawPath(head);
}

void Clip(QPainter& p) {
  p.setPen(QPen(kOutline, 3.5, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  QPainterPath clip;
  clip.moveTo(30, 14);
  clip.lineTo(30, 34);
  clip.arcTo(QRectF(18, 28, 12, 12), 0, -180);
  clip.lineTo(18, 10);
  clip.arcTo(QRectF(18, 4, 16, 12), 180, -180);
  clip.lineTo(34, 36);
  p.drawPath(clip);
}

QPixmap Drawn(const QString& name) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF letter(4, 10, 36, 26);
  const QPointF corner(36, 34);
  if (name == "mail-receive") {
    Envelope(p, letter); Badge(p, corner, kGreen); Arrow(p, corner, true);
  } else if (name == "x-office-address-book") {
    Book(p);
  } else if (name == "dialog-password") {
    Key(p, kAmber);
  } else if (name == "mail-message-new") {
    Envelope(p, letter); Badge(p, corner, kBlue); Plus(p, corner);
  } else if (name == "mail-folder-inbox") {
    Envelope(p, letter); Badge(p, corner, kBlue); Arrow(p, corner, true);
  } else if (name == "mail-send") {
    Envelope(p, letter); Badge(p, corner, kGreen); Arrow(p, corner, false);
  } else if (name == "mail-mark-junk") {
    Envelope(p, letter); Badge(p, corner, kRed); Cross(p, corner);
  } else if (name == "user-trash") {
    Trash(p, kGrey);
  } else if (name == "edit-clear") {
    Broom(p);
  } else if (name == "mail-attachment") {
    Clip(p);
  } else {
    Envelope(p, letter); Badge(p, corner, kAmber); Key(p, kAmber);
  }
  return pixmap;
}

}  // namespace

QIcon ThemeIcon(const QString& freedesktopName) {
  return QIcon::fromTheme(freedesktopName, QIcon(Drawn(freedesktopName)));
}

QImage ProgramIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double scale = static_cast<double>(size) / kSize;
  p.scale(scale, scale);
  Envelope(p, QRectF(3, 8, 42, 30));
  p.setPen(QPen(kOutline, 2));
  p.setBrush(kAmber);
  p.drawEllipse(QPointF(34, 34), 11, 11);
  p.setBrush(kPaper);
  p.drawEllipse(QPointF(34, 34), 4, 4);
  for (int spoke = 0; spoke < 8; ++spoke) {
    p.save();
    p.translate(34, 34);
    p.rotate(spoke * 45.0);
    p.drawLine(QPointF(0, 5), QPointF(0, 10));
    p.restore();
  }
  return image;
}

QIcon ProgramIcon() {
  QIcon icon;
  // An installed program shows the icon files installed with it, which the
  // desktop's menu shows too.
  if (const auto share = store::InstalledShareFolder(store::ExecutableFolder())) {
    for (const int size : kProgramIconSizes) {
      const auto file = *share / "icons" / "hicolor" / (std::to_string(size) + "x" + std::to_string(size)) /
                        "apps" / "ostrel-email.png";
      std::error_code error;
      if (std::filesystem::is_regular_file(file, error)) icon.addFile(QString::fromStdString(file.string()));
    }
    if (!icon.isNull()) return icon;
  }
  for (const int size : kProgramIconSizes) icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
  return icon;
}

}  // namespace ostrel::ui
