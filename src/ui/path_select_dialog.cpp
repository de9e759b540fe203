#include "ui/path_select_dialog.h"

#include "ui/desktop.h"

namespace ostrel::ui {

PathSelectDialog::PathSelectDialog(keys::KeyPathMode keyPathMode, Desktop& desktop, QWidget* parent)
    : caption_(QString::fromStdString(keys::FolderChooserCaption(keyPathMode))), desktop_(desktop), parent_(parent) {}

std::string PathSelectDialog::Choose() {
  const auto folder = desktop_.ChooseFolder(parent_, caption_);
  if (!folder || folder->empty()) return "";
  return keys::KeyPathFor(*folder);
}

}  // namespace ostrel::ui
