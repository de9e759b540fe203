#include "ui/address_book_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/address_book.h"
#include "ui/guarded.h"
#include "ui/named_control.h"

namespace ostrel::ui {

AddressBookDialog::AddressBookDialog(const std::string& programFolder, base::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), programFolder_(programFolder), dialogs_(dialogs) {
  setObjectName("AddressBookDialog");
  setWindowTitle("Address Book");
  nameLabel = Named<QLabel>("nameLabel", "Name", this);
  nameList = Named<QComboBox>("nameList", this);
  nameList->setEditable(true);
  // A typed name joins the list only when the window is loaded again.
  nameList->setInsertPolicy(QComboBox::NoInsert);
  emailAddressLabel = Named<QLabel>("emailAddressLabel", "Email Address", this);
  emailAddressEdit = Named<QLineEdit>("emailAddressEdit", this);
  addButton = Named<QPushButton>("addButton", "Add", this);
  updateButton = Named<QPushButton>("updateButton", "Update", this);
  deleteButton = Named<QPushButton>("deleteButton", "Delete", this);
  cancelButton = Named<QPushButton>("cancelButton", "Cancel", this);
  addButton->setDefault(true);

  auto* fields = new QGridLayout;
  fields->addWidget(nameLabel, 0, 0);
  fields->addWidget(nameList, 0, 1);
  fields->addWidget(emailAddressLabel, 1, 0);
  fields->addWidget(emailAddressEdit, 1, 1);
  fields->setColumnStretch(1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(addButton);
  buttons->addWidget(updateButton);
  buttons->addWidget(deleteButton);
  buttons->addStretch();
  buttons->addWidget(cancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addStretch();
  layout->addLayout(buttons);

  connect(nameList, &QComboBox::activated, this,
          Guarded(dialogs_, "Choosing the name", [this](int index) { PickName(index); }));
  OnClick(addButton, dialogs_, [this] { Add(); });
  OnClick(updateButton, dialogs_, [this] { Update(); });
  OnClick(deleteButton, dialogs_, [this] { Delete(); });
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  resize(460, 140);
  Fill();
}

void AddressBookDialog::Fill() {
  const settings::AddressBookForm form = settings::LoadAddressBook(programFolder_);
  emailAddressEdit->clear();
  nameList->clear();
  for (const auto& name : form.names) nameList->addItem(QString::fromStdString(name));
  nameList->setEditText(QString::fromStdString(form.nameBox));
}

void AddressBookDialog::PickName(int index) {
  const auto email = settings::FindAddress(programFolder_, nameList->itemText(index).toStdString());
  if (email) emailAddressEdit->setText(QString::fromStdString(*email));
}

void AddressBookDialog::Add() {
  settings::AddAddress(programFolder_, nameList->currentText().toStdString(), emailAddressEdit->text().toStdString(),
                       dialogs_);
}

void AddressBookDialog::Update() {
  settings::UpdateAddress(programFolder_, nameList->currentText().toStdString(), emailAddressEdit->text().toStdString(),
                          dialogs_);
}

void AddressBookDialog::Delete() {
  if (settings::DeleteAddress(programFolder_, nameList->currentText().toStdString(), dialogs_)) Fill();
}

}  // namespace ostrel::ui
