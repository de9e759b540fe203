#include "ui/frm_address.h"

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

frmAddress::frmAddress(const std::string& programFolder, base::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), programFolder_(programFolder), dialogs_(dialogs) {
  setObjectName("frmAddress");
  setWindowTitle("Address Book");
  Label1 = Named<QLabel>("Label1", "Name", this);
  Combo1 = Named<QComboBox>("Combo1", this);
  Combo1->setEditable(true);
  // A typed name joins the list only when the window is loaded again.
  Combo1->setInsertPolicy(QComboBox::NoInsert);
  Label2 = Named<QLabel>("Label2", "Email Address", this);
  Text1 = Named<QLineEdit>("Text1", this);
  Command1 = Named<QPushButton>("Command1", "Add", this);
  Command2 = Named<QPushButton>("Command2", "Update", this);
  Command3 = Named<QPushButton>("Command3", "Delete", this);
  Command4 = Named<QPushButton>("Command4", "Cancel", this);
  Command1->setDefault(true);

  auto* fields = new QGridLayout;
  fields->addWidget(Label1, 0, 0);
  fields->addWidget(Combo1, 0, 1);
  fields->addWidget(Label2, 1, 0);
  fields->addWidget(Text1, 1, 1);
  fields->setColumnStretch(1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Command1);
  buttons->addWidget(Command2);
  buttons->addWidget(Command3);
  buttons->addStretch();
  buttons->addWidget(Command4);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addStretch();
  layout->addLayout(buttons);

  connect(Combo1, &QComboBox::activated, this, Guarded(dialogs_, "Choosing the name", [this](int index) {
            PickName(index);
          }));
  OnClick(Command1, dialogs_, [this] { Add(); });
  OnClick(Command2, dialogs_, [this] { Update(); });
  OnClick(Command3, dialogs_, [this] { Delete(); });
  connect(Command4, &QPushButton::clicked, this, &QDialog::reject);
  resize(460, 140);
  Fill();
}

void frmAddress::Fill() {
  const settings::AddressBookForm form = settings::LoadAddressBook(programFolder_);
  Text1->clear();
  Combo1->clear();
  for (const auto& name : form.names) Combo1->addItem(QString::fromStdString(name));
  Combo1->setEditText(QString::fromStdString(form.nameBox));
}

void frmAddress::PickName(int index) {
  const auto email = settings::FindAddress(programFolder_, Combo1->itemText(index).toStdString());
  if (email) Text1->setText(QString::fromStdString(*email));
}

void frmAddress::Add() {
  settings::AddAddress(programFolder_, Combo1->currentText().toStdString(), Text1->text().toStdString(), dialogs_);
}

void frmAddress::Update() {
  settings::UpdateAddress(programFolder_, Combo1->currentText().toStdString(), Text1->text().toStdString(),
                          dialogs_);
}

void frmAddress::Delete() {
  if (settings::DeleteAddress(programFolder_, Combo1->currentText().toStdString(), dialogs_)) Fill();
}

}  // namespace ostrel::ui
