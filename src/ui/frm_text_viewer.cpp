#include "ui/frm_text_viewer.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "base/ansi_text.h"
#include "base/safe_file.h"
#include "ui/named_control.h"

namespace ostrel::ui {

frmTextViewer::frmTextViewer(const std::filesystem::path& file, QWidget* parent) : QDialog(parent) {
  setObjectName("frmTextViewer");
  setWindowTitle(QString::fromStdString(file.filename().string()));
  Text1 = Named<QPlainTextEdit>("Text1", this);
  Text1->setReadOnly(true);
  Text1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  const auto bytes = base::ReadWholeFile(file);
  Text1->setPlainText(bytes ? QString::fromStdString(base::FromAnsi(*bytes))
                            : QString("The file %1 could not be read.").arg(QString::fromStdString(file.string())));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Text1);
  layout->addWidget(buttons);
  resize(640, 480);
}

}  // namespace ostrel::ui
