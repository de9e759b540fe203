#pragma once
// The message pane's look from the options: font name and size, and the
// background and foreground colours unless they name a system colour.

#include <QColor>
#include <optional>

#include "settings/mail_options.h"

class QWidget;

namespace ostrel::ui {

// 0x00BBGGRR as a colour; nothing for a system colour (top bit set), which
// leaves the desktop theme's colour in place.
std::optional<QColor> ColourOf(std::int32_t stored);

void ApplyTextLook(QWidget& pane, const settings::TextLook& look);

}  // namespace ostrel::ui
