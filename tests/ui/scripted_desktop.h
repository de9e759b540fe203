#pragma once
// A desktop that records what the windows ask of it and answers from a
// script: modal windows are handed to the test, which works them as a person
// would and closes them, so nothing ever waits.

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
  void RunModal(QDialog& window) override;
  void PopUp(QMenu& menu, const QPoint& at) override;
  std::optional<std::filesystem::path> ChooseFileToOpen(QWidget* parent, const QString& title) override;
  std::optional<std::filesystem::path> ChooseFolder(QWidget* parent, const QString& title) override;
  std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) override;
  std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) override;
  bool OpenWithDefaultApplication(const std::filesystem::path& file) override;
  void OpenLink(const QUrl& link) override { links.push_back(link); }
  void Print(QWidget*, const std::vector<std::string>& lines) override { printed.push_back(lines); }

  // The next modal windows: each gets the next handler, or is just closed.
  std::deque<std::function<void(QDialog&)>> onModal;
  // The item to choose in the next popup menus, by object name.
  std::deque<QString> popUpChoices;
  std::deque<std::optional<std::filesystem::path>> chosenFiles;
  std::deque<std::optional<std::filesystem::path>> chosenFolders;
  std::deque<std::optional<QColor>> chosenColors;
  std::deque<std::optional<QFont>> chosenFonts;
  bool openSucceeds = true;

  std::vector<QString> opened;  // object names of the modal windows, in order
  std::vector<QString> titles;  // their captions
  std::vector<QString> popUps;
  std::vector<QString> fileDialogTitles;
  std::vector<QString> folderDialogTitles;
  std::vector<std::filesystem::path> openedFiles;
  std::vector<QUrl> links;
  std::vector<std::vector<std::string>> printed;
};

}  // namespace ostrel::testing
