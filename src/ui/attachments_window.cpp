#include "ui/attachments_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "ui/desktop.h"
#include "ui/guarded.h"
#include "ui/named_control.h"
#include "ui/text_viewer.h"

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

AttachmentsWindow::AttachmentsWindow(const std::string& programFolder, base::Dialogs& dialogs, Desktop& desktop,
                                     QWidget* parent)
    : QDialog(parent), programFolder_(programFolder), dialogs_(dialogs), desktop_(desktop) {
  setObjectName("AttachmentsWindow");
  setWindowTitle("Current Attachments");
  receivedLabel = Named<QLabel>("receivedLabel", "Received", this);
  receivedList = FileList("receivedList", this);
  receivedFolderLabel = FolderLabel("receivedFolderLabel", programFolder_ / store::kReceivedFolder, this);
  openReceivedButton = Named<QPushButton>("openReceivedButton", "Open", this);
  deleteReceivedButton = Named<QPushButton>("deleteReceivedButton", "Delete", this);
  decryptedLabel = Named<QLabel>("decryptedLabel", "Decrypted", this);
  decryptedList = FileList("decryptedList", this);
  decryptedFolderLabel = FolderLabel("decryptedFolderLabel", programFolder_ / store::kDecryptedFolder, this);
  openDecryptedButton = Named<QPushButton>("openDecryptedButton", "Open", this);
  deleteDecryptedButton = Named<QPushButton>("deleteDecryptedButton", "Delete", this);
  cancelButton = Named<QPushButton>("cancelButton", "Cancel", this);

  using store::AttachmentList;
  OnClick(openReceivedButton, dialogs_, [this] { Open(AttachmentList::Received); });
  OnClick(openDecryptedButton, dialogs_, [this] { Open(AttachmentList::Decrypted); });
  OnClick(deleteReceivedButton, dialogs_, [this] { Delete(AttachmentList::Received); });
  OnClick(deleteDecryptedButton, dialogs_, [this] { Delete(AttachmentList::Decrypted); });
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(receivedList, &QListWidget::itemDoubleClicked, this,
          Guarded(dialogs_, ActionName(openReceivedButton->text()), [this] { Open(AttachmentList::Received); }));
  connect(decryptedList, &QListWidget::itemDoubleClicked, this,
          Guarded(dialogs_, ActionName(openDecryptedButton->text()), [this] { Open(AttachmentList::Decrypted); }));

  auto* grid = new QGridLayout;
  grid->addWidget(receivedLabel, 0, 0);
  grid->addWidget(decryptedLabel, 0, 1);
  grid->addWidget(receivedList, 1, 0);
  grid->addWidget(decryptedList, 1, 1);
  grid->addWidget(receivedFolderLabel, 2, 0);
  grid->addWidget(decryptedFolderLabel, 2, 1);
  auto* received = new QHBoxLayout;
  received->addWidget(openReceivedButton);
  received->addWidget(deleteReceivedButton);
  received->addStretch();
  auto* decrypted = new QHBoxLayout;
  decrypted->addWidget(openDecryptedButton);
  decrypted->addWidget(deleteDecryptedButton);
  decrypted->addStretch();
  grid->addLayout(received, 3, 0);
  grid->addLayout(decrypted, 3, 1);
  auto* closing = new QHBoxLayout;
  closing->addStretch();
  closing->addWidget(cancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(closing);
  resize(620, 380);
  Fill();
}

bool AttachmentsWindow::NothingToShow() const { return receivedList->count() == 0 && decryptedList->count() == 0; }

void AttachmentsWindow::Fill() {
  receivedList->clear();
  decryptedList->clear();
  for (const auto& name : store::ListAttachmentFiles(programFolder_ / store::kReceivedFolder)) {
    receivedList->addItem(QString::fromStdString(name));
  }
  for (const auto& name : store::ListAttachmentFiles(programFolder_ / store::kDecryptedFolder)) {
    decryptedList->addItem(QString::fromStdString(name));
  }
}

std::vector<std::string> AttachmentsWindow::Selected(store::AttachmentList list) const {
  const QListWidget* files = list == store::AttachmentList::Received ? receivedList : decryptedList;
  std::vector<std::string> names;
  for (int row = 0; row < files->count(); ++row) {
    if (files->item(row)->isSelected()) names.push_back(files->item(row)->text().toStdString());
  }
  return names;
}

void AttachmentsWindow::OpenOne(const std::filesystem::path& file) {
  if (desktop_.OpenWithDefaultApplication(file)) return;
  TextViewer viewer(file, this);
  desktop_.RunModal(viewer);
}

void AttachmentsWindow::Open(store::AttachmentList list) {
  store::OpenAttachments(programFolder_, list, Selected(list), dialogs_,
                         [this](const std::filesystem::path& file) { OpenOne(file); });
}

void AttachmentsWindow::Delete(store::AttachmentList list) {
  store::DeleteAttachments(programFolder_, list, Selected(list), dialogs_);
  Fill();
  // With the last file gone the window closes, as it does when it opens on none.
  if (NothingToShow()) {
    dialogs_.Show(base::PlainBox(std::string(store::kNoAttachments)));
    reject();
  }
}

}  // namespace ostrel::ui
