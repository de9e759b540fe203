#pragma once
// The about box: the program's name and version and a "Done" button.

#include <QDialog>

class QLabel;
class QPushButton;

namespace ostrel::ui {

inline constexpr const char* kMainCaption = "Ostrel Encryption Email 6.0";

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent);

  QLabel* captionLabel;
  QPushButton* doneButton;
};

}  // namespace ostrel::ui
