#include "ui/qt_dialogs.h"

#include <QMessageBox>

namespace ostrel::ui {
namespace {

QMessageBox::Icon IconOf(base::Icon icon) {
  switch (icon) {
    case base::Icon::Information: return QMessageBox::Information;
    case base::Icon::Exclamation: return QMessageBox::Warning;
    case base::Icon::Critical: return QMessageBox::Critical;
    case base::Icon::Question: return QMessageBox::Question;
    case base::Icon::None: break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(base::Buttons buttons) {
  switch (buttons) {
    case base::Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case base::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case base::Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case base::Buttons::Ok: break;
  }
  return QMessageBox::Ok;
}

base::Answer AnswerOf(int button) {
  switch (button) {
    case QMessageBox::Cancel: return base::Answer::Cancel;
    case QMessageBox::Yes: return base::Answer::Yes;
    case QMessageBox::No: return base::Answer::No;
    default: return base::Answer::Ok;
  }
}

int Run(QWidget* parent, const base::MessageBox& box) {
  const QString title = box.title.empty() ? QString(kProgramTitle) : QString::fromStdString(box.title);
  QMessageBox window(IconOf(box.icon), title, QString::fromStdString(box.text), ButtonsOf(box.buttons), parent);
  window.setTextFormat(Qt::PlainText);
  return window.exec();
}

}  // namespace

void QtDialogs::Show(const base::MessageBox& box) { Run(parent_, box); }

base::Answer QtDialogs::Ask(const base::MessageBox& box) {
  const int button = Run(parent_, box);
  // Closing a question without a button counts as its safe answer.
  if (button == QMessageBox::Ok && box.buttons != base::Buttons::Ok && box.buttons != base::Buttons::OkCancel) {
    return base::Answer::No;
  }
  return AnswerOf(button);
}

}  // namespace ostrel::ui
