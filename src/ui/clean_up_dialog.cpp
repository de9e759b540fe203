#include "ui/clean_up_dialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "base/dialogs.h"
#include "ui/guarded.h"
#include "ui/named_control.h"
#include "ui/work_progress.h"

namespace ostrel::ui {

CleanUpDialog::CleanUpDialog(const std::string& programFolder, store::BoxName cleanUpBox, base::Dialogs& dialogs,
                             QWidget* parent)
    : QDialog(parent), cleanUp_(programFolder, std::string(store::NameOf(cleanUpBox))), dialogs_(dialogs) {
  setObjectName("CleanUpDialog");
  promptLabel = Named<QLabel>("promptLabel",
                              "Select the messages you want to delete. (Note: Messages in Trash are deleted, all "
                              "others are moved to Trash folder)",
                              this);
  promptLabel->setWordWrap(true);
  messageList = Named<QListWidget>("messageList", this);
  messageList->setSelectionMode(QAbstractItemView::MultiSelection);
  messageList->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  selectAllOption = Named<QRadioButton>("selectAllOption", "Select All", this);
  unselectAllOption = Named<QRadioButton>("unselectAllOption", "Unselect All", this);
  deleteButton = Named<QPushButton>("deleteButton", "Delete", this);
  cancelButton = Named<QPushButton>("cancelButton", "Cancel", this);

  connect(selectAllOption, &QRadioButton::clicked, messageList, &QListWidget::selectAll);
  connect(unselectAllOption, &QRadioButton::clicked, messageList, &QListWidget::clearSelection);
  OnClick(deleteButton, dialogs_, [this] { DeleteSelected(); });
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(selectAllOption);
  buttons->addWidget(unselectAllOption);
  buttons->addStretch();
  buttons->addWidget(deleteButton);
  buttons->addWidget(cancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(promptLabel);
  layout->addWidget(messageList);
  layout->addLayout(buttons);
  const int rowWidth = messageList->fontMetrics().horizontalAdvance(QString(94, QChar('M')));
  resize(rowWidth + 60, 420);
  Fill();
}

void CleanUpDialog::Fill() {
  messageList->clear();
  for (const auto& row : cleanUp_.Rows()) messageList->addItem(QString::fromStdString(row));
  setWindowTitle(QString::fromStdString(cleanUp_.Caption()));
}

void CleanUpDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (ByPassClean()) QTimer::singleShot(0, this, &QDialog::reject);
}

void CleanUpDialog::DeleteSelected() {
  std::vector<std::size_t> selected;
  for (int row = 0; row < messageList->count(); ++row) {
    if (messageList->item(row)->isSelected()) selected.push_back(static_cast<std::size_t>(row));
  }
  store::CleanUp::Outcome outcome;
  {
    WorkProgress progress(this, "Moving the messages selected...");
    outcome = cleanUp_.Delete(selected, dialogs_, progress.Report());
  }
  if (outcome != store::CleanUp::Outcome::Deleted) return;
  Fill();
  if (ByPassClean()) accept();
}

}  // namespace ostrel::ui
