// Ostrel Encryption Email: the main window. "--folder DIR" names the program
// folder; without it the usual data folder is used.
#include <QMessageBox>
#include <QTimer>
#include <optional>
#include <string>

#include "store/program_folder.h"
#include "ui/desktop.h"
#include "ui/guarded.h"
#include "ui/main_window.h"
#include "ui/program_application.h"
#include "ui/qt_dialogs.h"

namespace {

std::optional<std::string> FolderOption(const QStringList& arguments) {
  const qsizetype at = arguments.indexOf("--folder");
  if (at < 0 || at + 1 >= arguments.size()) return std::nullopt;
  return arguments.at(at + 1).toStdString();
}

}  // namespace

int main(int argc, char** argv) {
  ostrel::ui::ProgramApplication application(argc, argv);
  ostrel::ui::QtDialogs dialogs;
  application.SetFailureDialogs(&dialogs);

  std::string programFolder;
  const bool chosen = ostrel::ui::RunGuarded(dialogs, "Start-up", [&] {
    programFolder = ostrel::store::ChooseProgramFolder(ostrel::store::ExecutableFolder(),
                                                       ostrel::store::FolderEnvironment::FromProcess(),
                                                       FolderOption(QApplication::arguments()));
  });
  if (!chosen) return 1;

  ostrel::ui::QtDesktop desktop(dialogs);
  std::optional<ostrel::ui::MainWindow> window;
  if (!ostrel::ui::RunGuarded(dialogs, "Start-up", [&] { window.emplace(programFolder, dialogs, desktop); })) {
    return 1;
  }
  dialogs.SetParentWindow(&*window);
  // Both steps show their own failures and leave the window working.
  window->Load();
  window->show();
  QTimer::singleShot(0, &*window, [&window] { window->Activate(); });
  const int status = QApplication::exec();
  application.SetFailureDialogs(nullptr);
  return status;
}
