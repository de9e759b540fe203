#pragma once
// What the screenshot tool's window groups share: a desktop that never opens
// anything, and saving a window into a PNG file named after it.

#include <QDir>
#include <QString>
#include <string>

#include "base/dialogs.h"
#include "ui/desktop.h"

class QWidget;

namespace ostrel::app {

// Windows opened from another window are rendered on their own.
class StillDesktop : public ui::Desktop {
 public:
  void RunModal(QDialog&) override {}
  void PopUp(QMenu&, const QPoint&) override {}
  std::optional<std::filesystem::path> ChooseFileToOpen(QWidget*, const QString&) override { return {}; }
  std::optional<std::filesystem::path> ChooseFolder(QWidget*, const QString&) override { return {}; }
  std::optional<QColor> ChooseColor(QWidget*, const QColor&) override { return {}; }
  std::optional<QFont> ChooseFont(QWidget*, const QFont&) override { return {}; }
  bool OpenWithDefaultApplication(const std::filesystem::path&) override { return true; }
  void OpenLink(const QUrl&) override {}
  void Print(QWidget*, const std::vector<std::string>&) override {}
};

// The sample data's flows report what they did; nobody reads it here.
class QuietDialogs : public base::Dialogs {
 public:
  void Show(const base::MessageBox&) override {}
  base::Answer Ask(const base::MessageBox&) override { return base::Answer::No; }
  void SetStatus(std::string_view) override {}
};

// Shows the window, renders it into DIR/name.png and hides it again.
bool SaveWindow(QWidget& window, const QDir& target, const QString& name);

// The window groups, each rendered over the sample program folder (which
// ends in "/"); false when a picture could not be written.
bool ShootComposeWindows(const std::string& programFolder, const QDir& target);
bool ShootReceiveAndKeyWindows(const std::string& programFolder, const QDir& target);
bool ShootSettingsWindows(const std::string& programFolder, const QDir& target);

}  // namespace ostrel::app
