#pragma once
// A desktop that records what the windows ask of it and answers from a
// script: modal windows are handed to the test, which works them as a person
// would and closes them, so nothing ever waits.

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "ui/desktop.h"

namespace ostrel::testing {

class ScriptedDesktop : public ui::Desktop {
 public:
  void RunModal(QDialog& window) override {
    opened.push_back(window.objectName());
    window.show();
    if (auto handler = Next(onModal)) (*handler)(window);
    if (window.isVisible()) window.reject();
  }
  void PopUp(QMenu& menu, const QPoint&) override {
    const auto choice = Next(popUpChoices);
    for (QAction* action : menu.actions()) {
      if (choice && action->objectName() == *choice) action->trigger();
    }
  }
  std::optional<std::filesystem::path> ChooseFileToOpen(QWidget*, const QString&) override {
    return Next(chosenFiles).value_or(std::nullopt);
  }
  std::optional<std::filesystem::path> ChooseFolder(QWidget*, const QString&) override {
    return Next(chosenFolders).value_or(std::nullopt);
  }
  // The colour and font choosers are cancelled.
  std::optional<QColor> ChooseColor(QWidget*, const QColor&) override { return std::nullopt; }
  std::optional<QFont> ChooseFont(QWidget*, const QFont&) override { return std::nullopt; }
  bool OpenWithDefaultApplication(const std::filesystem::path& file) override {
    openedFiles.push_back(file);
    return openSucceeds;
  }
  void OpenLink(const QUrl&) override {}
  void Print(QWidget*, const std::vector<std::string>& lines) override { printed.push_back(lines); }

  // The next modal windows: each gets the next handler, or is just closed.
  std::deque<std::function<void(QDialog&)>> onModal;
  // The item to choose in the next popup menus, by object name.
  std::deque<QString> popUpChoices;
  // Answers of the next choosers; a chooser with none left is cancelled.
  std::deque<std::optional<std::filesystem::path>> chosenFiles;
  std::deque<std::optional<std::filesystem::path>> chosenFolders;
  bool openSucceeds = true;

  std::vector<QString> opened;  // object names of the modal windows, in order
  std::vector<std::filesystem::path> openedFiles;
  std::vector<std::vector<std::string>> printed;

 private:
  // Takes the next scripted answer off the front, if there is one.
  template <typename T>
  static std::optional<T> Next(std::deque<T>& answers) {
    if (answers.empty()) return std::nullopt;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
  }
};

}  // namespace ostrel::testing
