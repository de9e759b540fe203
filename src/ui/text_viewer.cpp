#include "ui/text_viewer.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "base/ansi_text.h"
#include "base/safe_file.h"
#include "ui/named_control.h"

namespace ostrel::ui {

TextViewer::TextViewer(const std::filesystem::path& file, QWidget* parent) : QDialog(parent) {
  setObjectName("TextViewer");
  setWindowTitle(QString::fromStdString(file.filename().string()));
  textEdit = Named<QPlainTextEdit>("textEdit", this);
  textEdit->setReadOnly(true);
  textEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  const auto bytes = base::ReadWholeFile(file);
  textEdit->setPlainText(bytes ? QString::fromStdString(base::FromAnsi(*bytes))
                               : QString("The file %1 could not be read.").arg(QString::fromStdString(file.string())));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(textEdit);
  layout->addWidget(buttons);
  resize(640, 480);
}

}  // namespace ostrel::ui
