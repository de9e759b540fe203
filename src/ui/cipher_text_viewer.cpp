#include "ui/cipher_text_viewer.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/named_control.h"

namespace ostrel::ui {

CipherTextViewer::CipherTextViewer(const QString& displayText, QWidget* parent) : QDialog(parent) {
  setObjectName("CipherTextViewer");
  setWindowTitle("Actual Encryption");
  cipherTextEdit = Named<QPlainTextEdit>("cipherTextEdit", this);
  cipherTextEdit->setReadOnly(true);
  cipherTextEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
  cipherTextEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  // The pane shows lines, not line ends: CR LF becomes one line break.
  QString lines = displayText;
  lines.replace("\r\n", "\n");
  cipherTextEdit->setPlainText(lines);
  doneButton = Named<QPushButton>("doneButton", "Done", this);
  doneButton->setDefault(true);
  connect(doneButton, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(cipherTextEdit);
  layout->addWidget(doneButton, 0, Qt::AlignRight);
  const int width = cipherTextEdit->fontMetrics().horizontalAdvance(QString(62, QChar('M'))) + 60;
  resize(width, 420);
}

void CipherTextViewer::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  doneButton->setFocus();
}

}  // namespace ostrel::ui
