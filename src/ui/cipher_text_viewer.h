#pragma once
// The Actual Encryption viewer: the raw cipher characters of the message
// pane, 60 to a line, in a fixed-pitch font.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace ostrel::ui {

class CipherTextViewer : public QDialog {
  Q_OBJECT

 public:
  // displayText: the lines as CipherViewText gives them (CR LF after 60).
  CipherTextViewer(const QString& displayText, QWidget* parent);

  QPlainTextEdit* cipherTextEdit;
  QPushButton* doneButton;

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace ostrel::ui
