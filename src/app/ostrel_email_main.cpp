// Ostrel Encryption Email: the main window. "--folder DIR" names the program
// folder; without it the usual data folder is used.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <optional>
#include <string>

#include "store/program_folder.h"
#include "ui/desktop.h"
#include "ui/fallback_icons.h"
#include "ui/frm_main.h"
#include "ui/qt_dialogs.h"

namespace {

std::optional<std::string> FolderOption(const QStringList& arguments) {
  const qsizetype at = arguments.indexOf("--folder");
  if (at < 0 || at + 1 >= arguments.size()) return std::nullopt;
  return arguments.at(at + 1).toStdString();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("ostrel-email");
  QApplication::setApplicationDisplayName(ostrel::ui::kProgramTitle);
  QGuiApplication::setDesktopFileName("ostrel-email");
  QApplication::setWindowIcon(ostrel::ui::ProgramIcon());

  std::string programFolder;
  try {
    programFolder = ostrel::store::ChooseProgramFolder(ostrel::store::ExecutableFolder(),
                                                       ostrel::store::FolderEnvironment::FromProcess(),
                                                       FolderOption(QApplication::arguments()));
  } catch (const ostrel::store::ProgramFolderError& error) {
    QMessageBox::critical(nullptr, ostrel::ui::kProgramTitle, QString::fromStdString(error.what()));
    return 1;
  }

  ostrel::ui::QtDialogs dialogs;
  ostrel::ui::QtDesktop desktop(dialogs);
  ostrel::ui::frmMain window(programFolder, dialogs, desktop);
  dialogs.SetParentWindow(&window);
  window.Load();
  window.show();
  QTimer::singleShot(0, &window, [&window] { window.Activate(); });
  return QApplication::exec();
}
