#include "ui/filters_dialog.h"

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

FiltersDialog::FiltersDialog(const std::string& programFolder, const settings::MailOptions& mailOptions,
                             base::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), programFolder_(programFolder), mailOptions_(mailOptions), dialogs_(dialogs) {
  setObjectName("FiltersDialog");
  setWindowTitle("Filters");
  filtersLabel = Named<QLabel>("filtersLabel", ToQString(settings::kFiltersLabel), this);
  filtersLabel->setWordWrap(true);
  filtersEdit = Named<QPlainTextEdit>("filtersEdit", this);
  filtersEdit->setTabChangesFocus(true);
  filtersEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
  saveButton = Named<QPushButton>("saveButton", "Save", this);
  cancelButton = Named<QPushButton>("cancelButton", "Cancel", this);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(saveButton);
  buttons->addWidget(cancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(filtersLabel);
  layout->addWidget(filtersEdit, 1);
  layout->addLayout(buttons);

  OnClick(saveButton, dialogs_, [this] { Save(); });
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  resize(420, 380);
  filtersEdit->setPlainText(ShownLines(settings::LoadFilterText(programFolder_)));
}

void FiltersDialog::Save() {
  settings::SaveFilterText(programFolder_, StoredLines(filtersEdit->toPlainText()), mailOptions_, dialogs_);
  accept();
}

}  // namespace ostrel::ui
