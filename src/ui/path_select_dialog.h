#pragma once
// The folder chooser of key management: the desktop's folder dialog, with
// the caption for a transfer or a restore. Its answer is KeyPath: the folder
// chosen with "/" at the end, or empty when the person cancelled or closed
// the dialog.

#include <QString>
#include <string>

class QWidget;

namespace ostrel::ui {

class Desktop;

class PathSelectDialog {
 public:
  // keyPathMode: "T" before a transfer, "R" before a restore.
  PathSelectDialog(const std::string& keyPathMode, Desktop& desktop, QWidget* parent);

  QString Caption() const { return caption_; }
  // Shows the folder dialog; returns what KeyPath becomes.
  std::string Choose();

 private:
  QString caption_;
  Desktop& desktop_;
  QWidget* parent_;
};

}  // namespace ostrel::ui
