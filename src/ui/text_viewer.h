#pragma once
// The program's own plain-text viewer, for an attachment that no desktop
// application would open.

#include <QDialog>
#include <filesystem>

class QPlainTextEdit;

namespace ostrel::ui {

class TextViewer : public QDialog {
  Q_OBJECT

 public:
  TextViewer(const std::filesystem::path& file, QWidget* parent);

  QPlainTextEdit* textEdit;
};

}  // namespace ostrel::ui
