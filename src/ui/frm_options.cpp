#include "ui/frm_options.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <exception>

#include "base/dialogs.h"
#include "settings/mail_check_interval.h"
#include "transport/server_security_note.h"
#include "ui/desktop.h"
#include "ui/guarded.h"
#include "ui/named_control.h"
#include "ui/qt_text.h"
#include "ui/text_look.h"

namespace ostrel::ui {
namespace {

// The system colours of a text box's background and text, as the options
// file names them: what the sample shows until colours are chosen.
constexpr std::int32_t kWindowColour = static_cast<std::int32_t>(0x80000005u);
constexpr std::int32_t kWindowTextColour = static_cast<std::int32_t>(0x80000008u);

std::int32_t StoredColour(const QColor& colour) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(colour.red()) |
                                   (static_cast<std::uint32_t>(colour.green()) << 8) |
                                   (static_cast<std::uint32_t>(colour.blue()) << 16));
}

settings::TextLook DesignedLook() {
  const QFont font = QApplication::font();
  settings::TextLook look;
  look.fontName = font.family().toStdString();
  look.fontSize = font.pointSizeF() > 0 ? static_cast<float>(font.pointSizeF()) : 10.0f;
  look.background = kWindowColour;
  look.foreground = kWindowTextColour;
  return look;
}

}  // namespace

frmOptions::frmOptions(const std::string& programFolder, settings::MailOptions& mailOptions,
                       base::Dialogs& dialogs, Desktop& desktop, QWidget* parent)
    : QDialog(parent), programFolder_(programFolder), mailOptions_(mailOptions), dialogs_(dialogs),
      desktop_(desktop) {
  setObjectName("frmOptions");
  setWindowTitle("Email Options");
  BuildControls();

  settings::OptionsForm designed;
  designed.sample = DesignedLook();
  const settings::OptionsForm form = settings::LoadOptionsForm(programFolder_, designed);
  for (const auto& name : form.accountNames) Combo1->addItem(ToQString(name));
  Text5->setText(ToQString(settings::kOptionsSampleText));
  ShowFields(form.fields);
  sample_ = form.sample;
  ShowSample();
}

void frmOptions::BuildControls() {
  Label1 = Named<QLabel>("Label1", "POP ServerName", this);
  Combo1 = Named<QComboBox>("Combo1", this);
  Combo1->setEditable(true);
  // Typing a new server name adds it to the list only by saving.
  Combo1->setInsertPolicy(QComboBox::NoInsert);
  lbPopSecurity = Named<QLabel>("lbPopSecurity", "", this);
  Label2 = Named<QLabel>("Label2", "SMTP ServerName", this);
  Text1 = Named<QLineEdit>("Text1", this);
  lbSmtpSecurity = Named<QLabel>("lbSmtpSecurity", "", this);
  Label3 = Named<QLabel>("Label3", "Username", this);
  Text2 = Named<QLineEdit>("Text2", this);
  Label4 = Named<QLabel>("Label4", "Password", this);
  Text3 = Named<QLineEdit>("Text3", this);
  Text3->setEchoMode(QLineEdit::Password);
  Text3->setStyleSheet("QLineEdit { lineedit-password-character: 42; }");
  Label5 = Named<QLabel>("Label5", "Email Address", this);
  Text4 = Named<QLineEdit>("Text4", this);
  Check1 = Named<QCheckBox>("Check1", "Delete Messages on Server", this);
  Check2 = Named<QCheckBox>("Check2", "Check Mail on Startup", this);
  Check3 = Named<QCheckBox>("Check3", "Empty Trash on Exit", this);
  Check4 = Named<QCheckBox>("Check4", "Use Signatures", this);
  Check5 = Named<QCheckBox>("Check5", "Use Filters", this);
  Frame1 = Named<QGroupBox>("Frame1", "Message Text", this);
  Text5 = Named<QLineEdit>("Text5", Frame1);
  Text5->setReadOnly(true);
  Command1 = Named<QPushButton>("Command1", "Background", Frame1);
  Command2 = Named<QPushButton>("Command2", "Foreground", Frame1);
  Command3 = Named<QPushButton>("Command3", "Font", Frame1);
  Command4 = Named<QPushButton>("Command4", "Save", this);
  Command5 = Named<QPushButton>("Command5", "Cancel", this);
  Command4->setDefault(true);
  for (QLabel* note : {lbPopSecurity, lbSmtpSecurity}) {
    note->setWordWrap(true);
    QFont small = note->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    note->setFont(small);
  }

  auto* fields = new QGridLayout;
  fields->addWidget(Label1, 0, 0);
  fields->addWidget(Combo1, 0, 1);
  fields->addWidget(lbPopSecurity, 1, 1);
  fields->addWidget(Label2, 2, 0);
  fields->addWidget(Text1, 2, 1);
  fields->addWidget(lbSmtpSecurity, 3, 1);
  fields->addWidget(Label3, 4, 0);
  fields->addWidget(Text2, 4, 1);
  fields->addWidget(Label4, 5, 0);
  fields->addWidget(Text3, 5, 1);
  fields->addWidget(Label5, 6, 0);
  fields->addWidget(Text4, 6, 1);
  fields->setColumnStretch(1, 1);

  auto* lookButtons = new QHBoxLayout;
  lookButtons->addWidget(Command1);
  lookButtons->addWidget(Command2);
  lookButtons->addWidget(Command3);
  auto* look = new QVBoxLayout(Frame1);
  look->addWidget(Text5);
  look->addLayout(lookButtons);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Command4);
  buttons->addWidget(Command5);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  for (QCheckBox* check : {Check1, Check2, Check3, Check4, Check5}) layout->addWidget(check);
  BuildMailCheckRow(*layout);
  layout->addWidget(Frame1);
  layout->addStretch();
  layout->addLayout(buttons);

  connect(Combo1, &QComboBox::activated, this,
          Guarded(dialogs_, "Choosing the account", [this](int index) { PickAccount(index); }));
  connect(Combo1, &QComboBox::editTextChanged, this, Guarded(dialogs_, "Checking the server", [this](const QString& text) {
            ShowSecurity(*lbPopSecurity, text, true);
          }));
  connect(Text1, &QLineEdit::textChanged, this, Guarded(dialogs_, "Checking the server", [this](const QString& text) {
            ShowSecurity(*lbSmtpSecurity, text, false);
          }));
  connect(Text2, &QLineEdit::textEdited, this,
          Guarded(dialogs_, "Filling the address", [this](const QString& userName) { UserNameTyped(userName); }));
  OnClick(Command1, dialogs_, [this] { ChooseColour(true); });
  OnClick(Command2, dialogs_, [this] { ChooseColour(false); });
  OnClick(Command3, dialogs_, [this] { ChooseFont(); });
  OnClick(Command4, dialogs_, [this] { Save(); });
  connect(Command5, &QPushButton::clicked, this, &QDialog::reject);

  setTabOrder(Combo1, Text1);
  setTabOrder(Text1, Text2);
  setTabOrder(Text2, Text3);
  setTabOrder(Text3, Text4);
  setTabOrder(Text4, Check1);
  setTabOrder(Check5, mailCheckBox_);
  setTabOrder(mailCheckBox_, mailCheckMinutes_);
  resize(520, sizeHint().height());
}

// The user name is filled before the address, and programmatic changes do
// not count as typing, so a stored address is never overwritten.
void frmOptions::ShowFields(const settings::MailOptions& fields) {
  Combo1->setEditText(ToQString(fields.PopServer));
  Text1->setText(ToQString(fields.SmtpServer));
  Text2->setText(ToQString(fields.UserName));
  Text3->setText(ToQString(fields.Password));
  Text4->setText(ToQString(fields.EmailAddress));
  Check1->setChecked(fields.DeleteOnServer);
  Check2->setChecked(fields.CheckMailOnStartup);
  Check3->setChecked(fields.EmptyTrashOnExit);
  Check4->setChecked(fields.UseSignatures);
  Check5->setChecked(fields.UseFilters);
  ShowSecurity(*lbPopSecurity, Combo1->currentText(), true);
  ShowSecurity(*lbSmtpSecurity, Text1->text(), false);
}

settings::OptionsForm frmOptions::FormShown() const {
  settings::OptionsForm form;
  form.fields.PopServer = Combo1->currentText().toStdString();
  form.fields.SmtpServer = Text1->text().toStdString();
  form.fields.UserName = Text2->text().toStdString();
  form.fields.Password = Text3->text().toStdString();
  form.fields.EmailAddress = Text4->text().toStdString();
  form.fields.DeleteOnServer = Check1->isChecked();
  form.fields.CheckMailOnStartup = Check2->isChecked();
  form.fields.EmptyTrashOnExit = Check3->isChecked();
  form.fields.UseSignatures = Check4->isChecked();
  form.fields.UseFilters = Check5->isChecked();
  form.sample = sample_;
  return form;
}

void frmOptions::ShowSample() { ApplyTextLook(*Text5, sample_); }

void frmOptions::PickAccount(int index) {
  const QString picked = Combo1->itemText(index);
  settings::OptionsForm form = FormShown();
  if (!settings::PickAccount(programFolder_, picked.toStdString(), form)) return;
  ShowFields(form.fields);
  Combo1->setEditText(picked);
}

void frmOptions::UserNameTyped(const QString& userName) {
  Text4->setText(ToQString(settings::EmailAddressForUserName(Combo1->currentText().toStdString(),
                                                        userName.toStdString(), Text4->text().toStdString())));
}

// The chooser tells a cancel from black, so black can be chosen. A colour
// chosen against a system colour fixes the other one to what the sample
// shows, since the pane takes colours only as a pair.
void frmOptions::ChooseColour(bool background) {
  std::int32_t& chosenOne = background ? sample_.background : sample_.foreground;
  std::int32_t& otherOne = background ? sample_.foreground : sample_.background;
  const QPalette shown = Text5->palette();
  const QColor initial = ColourOf(chosenOne).value_or(shown.color(background ? QPalette::Base : QPalette::Text));
  const auto chosen = desktop_.ChooseColor(this, initial);
  if (!chosen || !chosen->isValid()) return;
  chosenOne = StoredColour(*chosen);
  if (!ColourOf(otherOne)) otherOne = StoredColour(shown.color(background ? QPalette::Text : QPalette::Base));
  ShowSample();
}

void frmOptions::ChooseFont() {
  const auto chosen = desktop_.ChooseFont(this, Text5->font());
  if (!chosen) return;
  const double size = chosen->pointSizeF() > 0 ? chosen->pointSizeF() : static_cast<double>(sample_.fontSize);
  settings::TakeChosenFont(chosen->family().toStdString(), static_cast<float>(size), sample_);
  ShowSample();
}

void frmOptions::ShowSecurity(QLabel& label, const QString& boxText, bool pop3) {
  const auto note = transport::ServerSecurityNote(
      boxText.toStdString(), pop3 ? transport::MailProtocol::Pop3 : transport::MailProtocol::Smtp);
  label.setText(ToQString(note.text));
  label.setProperty("warning", note.warning);
  label.setStyleSheet(note.warning ? "color: #b00000; font-weight: bold;" : "color: #006000;");
}

void frmOptions::BuildMailCheckRow(QBoxLayout& layout) {
  mailCheckBox_ = Named<QCheckBox>("mailCheckBox", "Check for mail every", this);
  mailCheckMinutes_ = Named<QSpinBox>("mailCheckMinutes", this);
  mailCheckMinutes_->setRange(1, settings::kLongestMailCheckMinutes);
  mailCheckUnit_ = Named<QLabel>("mailCheckUnit", "minutes", this);
  mailCheckUnit_->setBuddy(mailCheckMinutes_);
  auto* row = new QHBoxLayout;
  row->addWidget(mailCheckBox_);
  row->addWidget(mailCheckMinutes_);
  row->addWidget(mailCheckUnit_);
  row->addStretch();
  layout.addLayout(row);

  const int minutes = settings::ReadMailCheckMinutes(programFolder_);
  mailCheckBox_->setChecked(minutes > 0);
  mailCheckMinutes_->setValue(minutes > 0 ? minutes : settings::kSuggestedMailCheckMinutes);
  mailCheckMinutes_->setEnabled(minutes > 0);
  connect(mailCheckBox_, &QCheckBox::toggled, mailCheckMinutes_, &QSpinBox::setEnabled);
}

void frmOptions::Save() {
  const settings::OptionsForm form = FormShown();
  if (!settings::SaveOptions(programFolder_, form, mailOptions_, dialogs_)) return;
  // A file of its own, so that "email.opt" keeps its fourteen lines.
  try {
    settings::WriteMailCheckMinutes(programFolder_, mailCheckBox_->isChecked() ? mailCheckMinutes_->value() : 0);
  } catch (const std::exception& error) {
    dialogs_.Show(base::MessageBox{std::string("The mail check interval could not be saved: ") + error.what(), "",
                                   base::Buttons::Ok, base::Icon::Exclamation});
  }
  savedLook_ = form.sample;
  accept();
}

}  // namespace ostrel::ui
