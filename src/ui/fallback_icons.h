#pragma once
// Icons of the picture buttons: the desktop theme's icon of the freedesktop
// name when the theme has one, else a drawing of the program's own.

#include <QIcon>
#include <QString>

namespace ostrel::ui {

// Freedesktop names used by the main window.
QIcon ThemeIcon(const QString& freedesktopName);

// The program's own icon (an envelope with a key wheel), also the window icon.
QIcon ProgramIcon();

}  // namespace ostrel::ui
