#pragma once
// The folder chooser of key management: the desktop's folder dialog, with
// the caption for a transfer or a restore. Its answer is KeyPath: the folder
// chosen with "/" at the end, or empty when the person cancelled or closed
// the dialog.

#include <QString>
#include <string>

#include "keys/key_transfer.h"

class QWidget;

namespace ostrel::ui {

class Desktop;

class PathSelectDialog {
 public:
  PathSelectDialog(keys::KeyPathMode keyPathMode, Desktop& desktop, QWidget* parent);

  QString Caption() const { return caption_; }
  // Shows the folder dialog; returns what KeyPath becomes.
  std::string Choose();

 private:
  QString caption_;
  Desktop& desktop_;
  QWidget* parent_;
};

}  // namespace ostrel::ui
