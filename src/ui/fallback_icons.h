#pragma once
// Icons of the picture buttons: the desktop theme's icon of the freedesktop
// name when the theme has one, else a drawing of the program's own.

#include <QIcon>
#include <QImage>
#include <QString>

namespace ostrel::ui {

// Freedesktop names used by the main window.
QIcon ThemeIcon(const QString& freedesktopName);

// The sizes, in pixels, the program's own icon is drawn and installed at.
inline constexpr int kProgramIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// The program's own icon (an envelope with a key wheel), also the window icon:
// the installed icon files of an installed program, else drawn at every size.
QIcon ProgramIcon();

// The program's own icon drawn size by size pixels.
QImage ProgramIconImage(int size);

}  // namespace ostrel::ui
