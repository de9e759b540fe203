#pragma once
// The about box: the program's name and version and a "Done" button.

#include <QDialog>

class QLabel;
class QPushButton;

namespace ostrel::ui {

inline constexpr const char* kMainCaption = "Ostrel Encryption Email 6.0";

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit frmAbout(QWidget* parent);

  QLabel* Label1;
  QPushButton* Command1;
};

}  // namespace ostrel::ui
