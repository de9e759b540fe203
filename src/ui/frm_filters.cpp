#include "ui/frm_filters.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/filters.h"
#include "ui/line_ends.h"

namespace ostrel::ui {

frmFilters::frmFilters(const std::string& programFolder, const settings::MailOptions& mailOptions,
                       base::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), programFolder_(programFolder), mailOptions_(mailOptions), dialogs_(dialogs) {
  setObjectName("frmFilters");
  setWindowTitle("Filters");
  Label1 = new QLabel(QString::fromUtf8(settings::kFiltersLabel.data(),
                                        static_cast<qsizetype>(settings::kFiltersLabel.size())),
                      this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  Text1 = new QPlainTextEdit(this);
  Text1->setObjectName("Text1");
  Text1->setTabChangesFocus(true);
  Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Command1 = new QPushButton("Save", this);
  Command1->setObjectName("Command1");
  Command2 = new QPushButton("Cancel", this);
  Command2->setObjectName("Command2");

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Command1);
  buttons->addWidget(Command2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Text1, 1);
  layout->addLayout(buttons);

  connect(Command1, &QPushButton::clicked, this, &frmFilters::Save);
  connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
  resize(420, 380);
  Text1->setPlainText(ShownLines(settings::LoadFilterText(programFolder_)));
}

void frmFilters::Save() {
  settings::SaveFilterText(programFolder_, StoredLines(Text1->toPlainText()), mailOptions_, dialogs_);
  accept();
}

}  // namespace ostrel::ui
