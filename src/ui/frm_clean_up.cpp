#include "ui/frm_clean_up.h"

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

frmCleanUp::frmCleanUp(const std::string& programFolder, const std::string& cleanUpBox, base::Dialogs& dialogs,
                       QWidget* parent)
    : QDialog(parent), cleanUp_(programFolder, cleanUpBox), dialogs_(dialogs) {
  setObjectName("frmCleanUp");
  Label1 = Named<QLabel>("Label1",
                         "Select the messages you want to delete. (Note: Messages in Trash are deleted, all "
                         "others are moved to Trash folder)",
                         this);
  Label1->setWordWrap(true);
  List1 = Named<QListWidget>("List1", this);
  List1->setSelectionMode(QAbstractItemView::MultiSelection);
  List1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Option1 = Named<QRadioButton>("Option1", "Select All", this);
  Option2 = Named<QRadioButton>("Option2", "Unselect All", this);
  Command1 = Named<QPushButton>("Command1", "Delete", this);
  Command2 = Named<QPushButton>("Command2", "Cancel", this);

  connect(Option1, &QRadioButton::clicked, List1, &QListWidget::selectAll);
  connect(Option2, &QRadioButton::clicked, List1, &QListWidget::clearSelection);
  OnClick(Command1, dialogs_, [this] { DeleteSelected(); });
  connect(Command2, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Option1);
  buttons->addWidget(Option2);
  buttons->addStretch();
  buttons->addWidget(Command1);
  buttons->addWidget(Command2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(List1);
  layout->addLayout(buttons);
  const int rowWidth = List1->fontMetrics().horizontalAdvance(QString(94, QChar('M')));
  resize(rowWidth + 60, 420);
  Fill();
}

void frmCleanUp::Fill() {
  List1->clear();
  for (const auto& row : cleanUp_.Rows()) List1->addItem(QString::fromStdString(row));
  setWindowTitle(QString::fromStdString(cleanUp_.Caption()));
}

void frmCleanUp::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (ByPassClean()) QTimer::singleShot(0, this, &QDialog::reject);
}

void frmCleanUp::DeleteSelected() {
  std::vector<std::size_t> selected;
  for (int row = 0; row < List1->count(); ++row) {
    if (List1->item(row)->isSelected()) selected.push_back(static_cast<std::size_t>(row));
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
