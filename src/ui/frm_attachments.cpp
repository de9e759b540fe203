#include "ui/frm_attachments.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "ui/desktop.h"
#include "ui/frm_text_viewer.h"
#include "ui/guarded.h"
#include "ui/named_control.h"

namespace ostrel::ui {
namespace {

QListWidget* FileList(const char* name, QWidget* parent) {
  auto* list = Named<QListWidget>(name, parent);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  return list;
}

QLabel* FolderLabel(const char* name, const std::filesystem::path& folder, QWidget* parent) {
  auto* label = Named<QLabel>(name, QString::fromStdString(folder.string()), parent);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setEnabled(false);
  return label;
}

}  // namespace

frmAttachments::frmAttachments(const std::string& programFolder, base::Dialogs& dialogs, Desktop& desktop,
                               QWidget* parent)
    : QDialog(parent), programFolder_(programFolder), dialogs_(dialogs), desktop_(desktop) {
  setObjectName("frmAttachments");
  setWindowTitle("Current Attachments");
  Label1 = Named<QLabel>("Label1", "Received", this);
  File1 = FileList("File1", this);
  Dir1 = FolderLabel("Dir1", programFolder_ / store::kReceivedFolder, this);
  Command1 = Named<QPushButton>("Command1", "Open", this);
  Command4 = Named<QPushButton>("Command4", "Delete", this);
  Label2 = Named<QLabel>("Label2", "Decrypted", this);
  File2 = FileList("File2", this);
  Dir2 = FolderLabel("Dir2", programFolder_ / store::kDecryptedFolder, this);
  Command2 = Named<QPushButton>("Command2", "Open", this);
  Command5 = Named<QPushButton>("Command5", "Delete", this);
  Command3 = Named<QPushButton>("Command3", "Cancel", this);

  using store::AttachmentList;
  OnClick(Command1, dialogs_, [this] { Open(AttachmentList::Received); });
  OnClick(Command2, dialogs_, [this] { Open(AttachmentList::Decrypted); });
  OnClick(Command4, dialogs_, [this] { Delete(AttachmentList::Received); });
  OnClick(Command5, dialogs_, [this] { Delete(AttachmentList::Decrypted); });
  connect(Command3, &QPushButton::clicked, this, &QDialog::reject);
  connect(File1, &QListWidget::itemDoubleClicked, this,
          Guarded(dialogs_, ActionName(Command1->text()), [this] { Open(AttachmentList::Received); }));
  connect(File2, &QListWidget::itemDoubleClicked, this,
          Guarded(dialogs_, ActionName(Command2->text()), [this] { Open(AttachmentList::Decrypted); }));

  auto* grid = new QGridLayout;
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(Label2, 0, 1);
  grid->addWidget(File1, 1, 0);
  grid->addWidget(File2, 1, 1);
  grid->addWidget(Dir1, 2, 0);
  grid->addWidget(Dir2, 2, 1);
  auto* received = new QHBoxLayout;
  received->addWidget(Command1);
  received->addWidget(Command4);
  received->addStretch();
  auto* decrypted = new QHBoxLayout;
  decrypted->addWidget(Command2);
  decrypted->addWidget(Command5);
  decrypted->addStretch();
  grid->addLayout(received, 3, 0);
  grid->addLayout(decrypted, 3, 1);
  auto* closing = new QHBoxLayout;
  closing->addStretch();
  closing->addWidget(Command3);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(closing);
  resize(620, 380);
  Fill();
}

bool frmAttachments::NothingToShow() const { return File1->count() == 0 && File2->count() == 0; }

void frmAttachments::Fill() {
  File1->clear();
  File2->clear();
  for (const auto& name : store::ListAttachmentFiles(programFolder_ / store::kReceivedFolder)) {
    File1->addItem(QString::fromStdString(name));
  }
  for (const auto& name : store::ListAttachmentFiles(programFolder_ / store::kDecryptedFolder)) {
    File2->addItem(QString::fromStdString(name));
  }
}

std::vector<std::string> frmAttachments::Selected(store::AttachmentList list) const {
  const QListWidget* files = list == store::AttachmentList::Received ? File1 : File2;
  std::vector<std::string> names;
  for (int row = 0; row < files->count(); ++row) {
    if (files->item(row)->isSelected()) names.push_back(files->item(row)->text().toStdString());
  }
  return names;
}

void frmAttachments::OpenOne(const std::filesystem::path& file) {
  if (desktop_.OpenWithDefaultApplication(file)) return;
  frmTextViewer viewer(file, this);
  desktop_.RunModal(viewer);
}

void frmAttachments::Open(store::AttachmentList list) {
  store::OpenAttachments(programFolder_, list, Selected(list), dialogs_,
                         [this](const std::filesystem::path& file) { OpenOne(file); });
}

void frmAttachments::Delete(store::AttachmentList list) {
  store::DeleteAttachments(programFolder_, list, Selected(list), dialogs_);
  Fill();
  // With the last file gone the window closes, as it does when it opens on none.
  if (NothingToShow()) {
    dialogs_.Show(base::PlainBox(std::string(store::kNoAttachments)));
    reject();
  }
}

}  // namespace ostrel::ui
