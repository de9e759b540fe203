#include "ui/signatures_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/signatures.h"
#include "ui/guarded.h"
#include "ui/line_ends.h"
#include "ui/named_control.h"
#include "ui/qt_text.h"

namespace ostrel::ui {

SignaturesDialog::SignaturesDialog(const std::string& programFolder, base::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), programFolder_(programFolder), dialogs_(dialogs) {
  setObjectName("SignaturesDialog");
  setWindowTitle("Signatures");
  nameLabel = Named<QLabel>("nameLabel", "Signature Name", this);
  nameList = Named<QComboBox>("nameList", this);
  nameList->setEditable(true);
  nameList->setInsertPolicy(QComboBox::NoInsert);
  signatureEdit = Named<QPlainTextEdit>("signatureEdit", this);
  signatureEdit->setTabChangesFocus(true);
  noteLabel = Named<QLabel>("noteLabel", ToQString(settings::kSignatureNote), this);
  noteLabel->setWordWrap(true);
  addUpdateButton = Named<QPushButton>("addUpdateButton", "Add/Update", this);
  deleteButton = Named<QPushButton>("deleteButton", "Delete", this);
  cancelButton = Named<QPushButton>("cancelButton", "Cancel", this);

  auto* name = new QHBoxLayout;
  name->addWidget(nameLabel);
  name->addWidget(nameList, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(addUpdateButton);
  buttons->addWidget(deleteButton);
  buttons->addStretch();
  buttons->addWidget(cancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(name);
  layout->addWidget(signatureEdit, 1);
  layout->addWidget(noteLabel);
  layout->addLayout(buttons);

  connect(nameList, &QComboBox::activated, this,
          Guarded(dialogs_, "Choosing the signature", [this](int index) { PickName(index); }));
  OnClick(addUpdateButton, dialogs_, [this] { AddOrUpdate(); });
  OnClick(deleteButton, dialogs_, [this] { Delete(); });
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  setTabOrder(nameList, signatureEdit);
  setTabOrder(signatureEdit, addUpdateButton);
  resize(480, 320);
  Fill();
}

void SignaturesDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  signatureEdit->setFocus();
}

void SignaturesDialog::Fill() {
  const settings::SignaturesForm form = settings::LoadSignatures(programFolder_);
  FillNames(form.names);
  nameList->setEditText(QString::fromStdString(form.nameBox));
  signatureEdit->setPlainText(ShownLines(form.signatureBox));
}

void SignaturesDialog::FillNames(const std::vector<std::string>& names) {
  const QString typed = nameList->currentText();
  nameList->clear();
  for (const auto& each : names) nameList->addItem(QString::fromStdString(each));
  nameList->setEditText(typed);
}

void SignaturesDialog::PickName(int index) {
  const auto text = settings::FindSignature(programFolder_, nameList->itemText(index).toStdString());
  if (text) signatureEdit->setPlainText(ShownLines(*text));
}

void SignaturesDialog::AddOrUpdate() {
  if (!settings::AddOrUpdateSignature(programFolder_, nameList->currentText().toStdString(),
                                      StoredLines(signatureEdit->toPlainText()), dialogs_)) {
    return;
  }
  // A new name can be picked at once; the boxes keep what was typed.
  std::vector<std::string> names;
  for (const auto& signature : settings::ReadSignatures(programFolder_)) names.push_back(signature.SigName);
  FillNames(names);
}

void SignaturesDialog::Delete() {
  if (settings::DeleteSignature(programFolder_, nameList->currentText().toStdString(), dialogs_)) Fill();
}

}  // namespace ostrel::ui
