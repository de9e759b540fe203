#include "ui/path_select_dialog.h"

#include "keys/key_transfer.h"
#include "ui/desktop.h"

namespace ostrel::ui {

PathSelectDialog::PathSelectDialog(const std::string& keyPathMode, Desktop& desktop, QWidget* parent)
    : caption_(QString::fromStdString(keys::FolderChooserCaption(keyPathMode))), desktop_(desktop), parent_(parent) {}

std::string PathSelectDialog::Choose() {
  const auto folder = desktop_.ChooseFolder(parent_, caption_);
  if (!folder || folder->empty()) return "";
  return keys::KeyPathFor(*folder);
}

}  // namespace ostrel::ui
