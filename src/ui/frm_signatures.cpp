#include "ui/frm_signatures.h"

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

frmSignatures::frmSignatures(const std::string& programFolder, base::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), programFolder_(programFolder), dialogs_(dialogs) {
  setObjectName("frmSignatures");
  setWindowTitle("Signatures");
  Label1 = Named<QLabel>("Label1", "Signature Name", this);
  Combo1 = Named<QComboBox>("Combo1", this);
  Combo1->setEditable(true);
  Combo1->setInsertPolicy(QComboBox::NoInsert);
  Text1 = Named<QPlainTextEdit>("Text1", this);
  Text1->setTabChangesFocus(true);
  Label2 = Named<QLabel>("Label2", ToQString(settings::kSignatureNote), this);
  Label2->setWordWrap(true);
  Command1 = Named<QPushButton>("Command1", "Add/Update", this);
  Command2 = Named<QPushButton>("Command2", "Delete", this);
  Command3 = Named<QPushButton>("Command3", "Cancel", this);

  auto* name = new QHBoxLayout;
  name->addWidget(Label1);
  name->addWidget(Combo1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Command1);
  buttons->addWidget(Command2);
  buttons->addStretch();
  buttons->addWidget(Command3);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(name);
  layout->addWidget(Text1, 1);
  layout->addWidget(Label2);
  layout->addLayout(buttons);

  connect(Combo1, &QComboBox::activated, this,
          Guarded(dialogs_, "Choosing the signature", [this](int index) { PickName(index); }));
  OnClick(Command1, dialogs_, [this] { AddOrUpdate(); });
  OnClick(Command2, dialogs_, [this] { Delete(); });
  connect(Command3, &QPushButton::clicked, this, &QDialog::reject);
  setTabOrder(Combo1, Text1);
  setTabOrder(Text1, Command1);
  resize(480, 320);
  Fill();
}

void frmSignatures::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Text1->setFocus();
}

void frmSignatures::Fill() {
  const settings::SignaturesForm form = settings::LoadSignatures(programFolder_);
  FillNames(form.names);
  Combo1->setEditText(QString::fromStdString(form.nameBox));
  Text1->setPlainText(ShownLines(form.signatureBox));
}

void frmSignatures::FillNames(const std::vector<std::string>& names) {
  const QString typed = Combo1->currentText();
  Combo1->clear();
  for (const auto& each : names) Combo1->addItem(QString::fromStdString(each));
  Combo1->setEditText(typed);
}

void frmSignatures::PickName(int index) {
  const auto text = settings::FindSignature(programFolder_, Combo1->itemText(index).toStdString());
  if (text) Text1->setPlainText(ShownLines(*text));
}

void frmSignatures::AddOrUpdate() {
  if (!settings::AddOrUpdateSignature(programFolder_, Combo1->currentText().toStdString(),
                                      StoredLines(Text1->toPlainText()), dialogs_)) {
    return;
  }
  // A new name can be picked at once; the boxes keep what was typed.
  std::vector<std::string> names;
  for (const auto& signature : settings::ReadSignatures(programFolder_)) names.push_back(signature.SigName);
  FillNames(names);
}

void frmSignatures::Delete() {
  if (settings::DeleteSignature(programFolder_, Combo1->currentText().toStdString(), dialogs_)) Fill();
}

}  // namespace ostrel::ui
