#include "ui/frm_filters.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/filters.h"
#include "ui/guarded.h"
#include "ui/line_ends.h"
#include "ui/named_control.h"
#include "ui/qt_text.h"

namespace ostrel::ui {

frmFilters::frmFilters(const std::string& programFolder, const settings::MailOptions& mailOptions,
                       base::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), programFolder_(programFolder), mailOptions_(mailOptions), dialogs_(dialogs) {
  setObjectName("frmFilters");
  setWindowTitle("Filters");
  Label1 = Named<QLabel>("Label1", ToQString(settings::kFiltersLabel), this);
  Label1->setWordWrap(true);
  Text1 = Named<QPlainTextEdit>("Text1", this);
  Text1->setTabChangesFocus(true);
  Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Command1 = Named<QPushButton>("Command1", "Save", this);
  Command2 = Named<QPushButton>("Command2", "Cancel", this);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Command1);
  buttons->addWidget(Command2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Text1, 1);
  layout->addLayout(buttons);

  OnClick(Command1, dialogs_, [this] { Save(); });
  connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
  resize(420, 380);
  Text1->setPlainText(ShownLines(settings::LoadFilterText(programFolder_)));
}

void frmFilters::Save() {
  settings::SaveFilterText(programFolder_, StoredLines(Text1->toPlainText()), mailOptions_, dialogs_);
  accept();
}

}  // namespace ostrel::ui
