#include "ui/text_look.h"

#include <QFont>
#include <QPalette>
#include <QWidget>

namespace ostrel::ui {

std::optional<QColor> ColourOf(std::int32_t stored) {
  if (stored < 0) return std::nullopt;
  const auto value = static_cast<std::uint32_t>(stored);
  return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                static_cast<int>((value >> 16) & 0xFFu));
}

void ApplyTextLook(QWidget& pane, const settings::TextLook& look) {
  QFont font = pane.font();
  if (!look.fontName.empty()) font.setFamily(QString::fromStdString(look.fontName));
  if (look.fontSize > 0) font.setPointSizeF(static_cast<double>(look.fontSize));
  pane.setFont(font);
  const auto background = ColourOf(look.background);
  const auto foreground = ColourOf(look.foreground);
  // Only a pair of chosen colours is applied: one chosen colour against the
  // theme's other one could leave the text unreadable.
  if (!background || !foreground || *background == *foreground) return;
  QPalette palette = pane.palette();
  palette.setColor(QPalette::Base, *background);
  palette.setColor(QPalette::Text, *foreground);
  pane.setPalette(palette);
}

}  // namespace ostrel::ui
