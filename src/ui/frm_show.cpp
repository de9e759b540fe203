#include "ui/frm_show.h"
#include "ui/named_control.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ostrel::ui {

frmShow::frmShow(const QString& displayText, QWidget* parent) : QDialog(parent) {
  setObjectName("frmShow");
  setWindowTitle("Actual Encryption");
  Text1 = Named<QPlainTextEdit>("Text1", this);
  Text1->setReadOnly(true);
  Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // The pane shows lines, not line ends: CR LF becomes one line break.
  QString lines = displayText;
  lines.replace("\r\n", "\n");
  Text1->setPlainText(lines);
  Command1 = Named<QPushButton>("Command1", "Done", this);
  Command1->setDefault(true);
  connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Text1);
  layout->addWidget(Command1, 0, Qt::AlignRight);
  const int width = Text1->fontMetrics().horizontalAdvance(QString(62, QChar('M'))) + 60;
  resize(width, 420);
}

void frmShow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Command1->setFocus();
}

}  // namespace ostrel::ui
