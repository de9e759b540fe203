#pragma once
// The program's own plain-text viewer, for an attachment that no desktop
// application would open.

#include <QDialog>
#include <filesystem>

class QPlainTextEdit;

namespace ostrel::ui {

class frmTextViewer : public QDialog {
  Q_OBJECT

 public:
  frmTextViewer(const std::filesystem::path& file, QWidget* parent);

  QPlainTextEdit* Text1;
};

}  // namespace ostrel::ui
