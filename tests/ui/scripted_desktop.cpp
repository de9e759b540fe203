#include "scripted_desktop.h"

#include <QAction>

namespace ostrel::testing {
namespace {

// The next scripted answer of a dialog; a dialog with none left is cancelled.
template <typename T>
std::optional<T> Next(std::deque<std::optional<T>>& answers) {
  if (answers.empty()) return std::nullopt;
  auto answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

}  // namespace

void ScriptedDesktop::RunModal(QDialog& window) {
  opened.push_back(window.objectName());
  titles.push_back(window.windowTitle());
  window.show();
  if (!onModal.empty()) {
    auto handler = std::move(onModal.front());
    onModal.pop_front();
    handler(window);
  }
  if (window.isVisible()) window.reject();
}

void ScriptedDesktop::PopUp(QMenu& menu, const QPoint&) {
  popUps.push_back(menu.objectName());
  if (popUpChoices.empty()) return;
  const QString choice = popUpChoices.front();
  popUpChoices.pop_front();
  for (QAction* action : menu.actions()) {
    if (action->objectName() == choice) action->trigger();
  }
}

std::optional<std::filesystem::path> ScriptedDesktop::ChooseFileToOpen(QWidget*, const QString& title) {
  fileDialogTitles.push_back(title);
  return Next(chosenFiles);
}

std::optional<std::filesystem::path> ScriptedDesktop::ChooseFolder(QWidget*, const QString& title) {
  folderDialogTitles.push_back(title);
  return Next(chosenFolders);
}

std::optional<QColor> ScriptedDesktop::ChooseColor(QWidget*, const QColor&) { return Next(chosenColors); }

std::optional<QFont> ScriptedDesktop::ChooseFont(QWidget*, const QFont&) { return Next(chosenFonts); }

bool ScriptedDesktop::OpenWithDefaultApplication(const std::filesystem::path& file) {
  openedFiles.push_back(file);
  return openSucceeds;
}

}  // namespace ostrel::testing
