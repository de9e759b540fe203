// Writes the program's icon as the PNG files of the freedesktop icon theme:
// ostrel-icons DIR makes DIR/<size>x<size>/apps/ostrel-email.png for every
// size the program draws it at.
#include <QDir>
#include <QImage>
#include <iostream>

#include "ui/fallback_icons.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: ostrel-icons DIR\n";
    return 2;
  }
  const QDir target(QString::fromLocal8Bit(argv[1]));
  for (const int size : ostrel::ui::kProgramIconSizes) {
    const QString folder = target.filePath(QString("%1x%1/apps").arg(size));
    if (!QDir().mkpath(folder) || !ostrel::ui::ProgramIconImage(size).save(folder + "/ostrel-email.png", "PNG")) {
      std::cerr << "ostrel-icons: cannot write the " << size << " pixel icon into " << folder.toStdString() << "\n";
      return 1;
    }
  }
  return 0;
}
