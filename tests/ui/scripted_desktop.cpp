#include "scripted_desktop.h"

#include <QAction>

namespace ostrel::testing {

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
  if (chosenFiles.empty()) return std::nullopt;
  auto chosen = chosenFiles.front();
  chosenFiles.pop_front();
  return chosen;
}

bool ScriptedDesktop::OpenWithDefaultApplication(const std::filesystem::path& file) {
  openedFiles.push_back(file);
  return openSucceeds;
}

}  // namespace ostrel::testing
