#pragma once
// What the windows ask of the desktop: running a window modally, the popup
// menu, the file dialog, opening files and links with other programs, and
// printing. The program uses QtDesktop; tests drive the windows through a
// scripted desktop instead, so that nothing ever waits for a person.

#include <QColor>
#include <QFont>
#include <QString>
#include <QUrl>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QDialog;
class QMenu;
class QPoint;
class QWidget;

namespace ostrel::base {
class Dialogs;
}

namespace ostrel::ui {

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Shows the window modally; returns when it has closed.
  virtual void RunModal(QDialog& window) = 0;
  // Shows the popup menu at a point on the screen and runs the item chosen.
  virtual void PopUp(QMenu& menu, const QPoint& at) = 0;
  // The open-file dialog; nothing when the person cancels.
  virtual std::optional<std::filesystem::path> ChooseFileToOpen(QWidget* parent, const QString& title) = 0;
  // The folder dialog; nothing when the person cancels or closes it.
  virtual std::optional<std::filesystem::path> ChooseFolder(QWidget* parent, const QString& title) = 0;
  // The colour and font dialogs, starting from the value shown; nothing on
  // cancel.
  virtual std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) = 0;
  virtual std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) = 0;
  // Opens a file with the desktop's application for it; false when none did.
  virtual bool OpenWithDefaultApplication(const std::filesystem::path& file) = 0;
  // A link clicked in the browser window, opened in the desktop's browser.
  virtual void OpenLink(const QUrl& link) = 0;
  // Prints the lines on the default printer in a fixed-pitch font.
  virtual void Print(QWidget* parent, const std::vector<std::string>& lines) = 0;
};

class QtDesktop : public Desktop {
 public:
  explicit QtDesktop(base::Dialogs& dialogs) : dialogs_(dialogs) {}
  void RunModal(QDialog& window) override;
  void PopUp(QMenu& menu, const QPoint& at) override;
  std::optional<std::filesystem::path> ChooseFileToOpen(QWidget* parent, const QString& title) override;
  std::optional<std::filesystem::path> ChooseFolder(QWidget* parent, const QString& title) override;
  std::optional<QColor> ChooseColor(QWidget* parent, const QColor& initial) override;
  std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) override;
  bool OpenWithDefaultApplication(const std::filesystem::path& file) override;
  void OpenLink(const QUrl& link) override;
  // With no printer installed, offers to save the page as a PDF file.
  void Print(QWidget* parent, const std::vector<std::string>& lines) override;

 private:
  base::Dialogs& dialogs_;
};

}  // namespace ostrel::ui
