#include "ui/options_dialog.h"

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
#include "ui/warning_box.h"

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

OptionsDialog::OptionsDialog(const std::string& programFolder, settings::MailOptions& mailOptions,
                             base::Dialogs& dialogs, Desktop& desktop, QWidget* parent)
    : QDialog(parent), programFolder_(programFolder), mailOptions_(mailOptions), dialogs_(dialogs), desktop_(desktop) {
  setObjectName("OptionsDialog");
  setWindowTitle("Email Options");
  BuildControls();

  settings::OptionsForm designed;
  designed.sample = DesignedLook();
  const settings::OptionsForm form = settings::LoadOptionsForm(programFolder_, designed);
  for (const auto& name : form.accountNames) popServerList->addItem(ToQString(name));
  sampleTextEdit->setText(ToQString(settings::kOptionsSampleText));
  ShowFields(form.fields);
  sample_ = form.sample;
  ShowSample();
}

void OptionsDialog::BuildControls() {
  popServerLabel = Named<QLabel>("popServerLabel", "POP ServerName", this);
  popServerList = Named<QComboBox>("popServerList", this);
  popServerList->setEditable(true);
  // Typing a new server name adds it to the list only by saving.
  popServerList->setInsertPolicy(QComboBox::NoInsert);
  popSecurityLabel = Named<QLabel>("popSecurityLabel", "", this);
  smtpServerLabel = Named<QLabel>("smtpServerLabel", "SMTP ServerName", this);
  smtpServerEdit = Named<QLineEdit>("smtpServerEdit", this);
  smtpSecurityLabel = Named<QLabel>("smtpSecurityLabel", "", this);
  userNameLabel = Named<QLabel>("userNameLabel", "Username", this);
  userNameEdit = Named<QLineEdit>("userNameEdit", this);
  passwordLabel = Named<QLabel>("passwordLabel", "Password", this);
  passwordEdit = Named<QLineEdit>("passwordEdit", this);
  passwordEdit->setEchoMode(QLineEdit::Password);
  passwordEdit->setStyleSheet("QLineEdit { lineedit-password-character: 42; }");
  emailAddressLabel = Named<QLabel>("emailAddressLabel", "Email Address", this);
  emailAddressEdit = Named<QLineEdit>("emailAddressEdit", this);
  deleteOnServerCheck = Named<QCheckBox>("deleteOnServerCheck", "Delete Messages on Server", this);
  checkOnStartupCheck = Named<QCheckBox>("checkOnStartupCheck", "Check Mail on Startup", this);
  emptyTrashCheck = Named<QCheckBox>("emptyTrashCheck", "Empty Trash on Exit", this);
  signaturesCheck = Named<QCheckBox>("signaturesCheck", "Use Signatures", this);
  filtersCheck = Named<QCheckBox>("filtersCheck", "Use Filters", this);
  messageTextGroup = Named<QGroupBox>("messageTextGroup", "Message Text", this);
  sampleTextEdit = Named<QLineEdit>("sampleTextEdit", messageTextGroup);
  sampleTextEdit->setReadOnly(true);
  backgroundButton = Named<QPushButton>("backgroundButton", "Background", messageTextGroup);
  foregroundButton = Named<QPushButton>("foregroundButton", "Foreground", messageTextGroup);
  fontButton = Named<QPushButton>("fontButton", "Font", messageTextGroup);
  saveButton = Named<QPushButton>("saveButton", "Save", this);
  cancelButton = Named<QPushButton>("cancelButton", "Cancel", this);
  saveButton->setDefault(true);
  for (QLabel* note : {popSecurityLabel, smtpSecurityLabel}) {
    note->setWordWrap(true);
    QFont small = note->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    note->setFont(small);
  }

  auto* fields = new QGridLayout;
  fields->addWidget(popServerLabel, 0, 0);
  fields->addWidget(popServerList, 0, 1);
  fields->addWidget(popSecurityLabel, 1, 1);
  fields->addWidget(smtpServerLabel, 2, 0);
  fields->addWidget(smtpServerEdit, 2, 1);
  fields->addWidget(smtpSecurityLabel, 3, 1);
  fields->addWidget(userNameLabel, 4, 0);
  fields->addWidget(userNameEdit, 4, 1);
  fields->addWidget(passwordLabel, 5, 0);
  fields->addWidget(passwordEdit, 5, 1);
  fields->addWidget(emailAddressLabel, 6, 0);
  fields->addWidget(emailAddressEdit, 6, 1);
  fields->setColumnStretch(1, 1);

  auto* lookButtons = new QHBoxLayout;
  lookButtons->addWidget(backgroundButton);
  lookButtons->addWidget(foregroundButton);
  lookButtons->addWidget(fontButton);
  auto* look = new QVBoxLayout(messageTextGroup);
  look->addWidget(sampleTextEdit);
  look->addLayout(lookButtons);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(saveButton);
  buttons->addWidget(cancelButton);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  for (QCheckBox* check : {deleteOnServerCheck, checkOnStartupCheck, emptyTrashCheck, signaturesCheck, filtersCheck})
    layout->addWidget(check);
  BuildMailCheckRow(*layout);
  layout->addWidget(messageTextGroup);
  layout->addStretch();
  layout->addLayout(buttons);

  connect(popServerList, &QComboBox::activated, this,
          Guarded(dialogs_, "Choosing the account", [this](int index) { PickAccount(index); }));
  connect(popServerList, &QComboBox::editTextChanged, this,
          Guarded(dialogs_, "Checking the server",
                  [this](const QString& text) { ShowSecurity(*popSecurityLabel, text, true); }));
  connect(smtpServerEdit, &QLineEdit::textChanged, this,
          Guarded(dialogs_, "Checking the server",
                  [this](const QString& text) { ShowSecurity(*smtpSecurityLabel, text, false); }));
  connect(userNameEdit, &QLineEdit::textEdited, this,
          Guarded(dialogs_, "Filling the address", [this](const QString& userName) { UserNameTyped(userName); }));
  OnClick(backgroundButton, dialogs_, [this] { ChooseColour(true); });
  OnClick(foregroundButton, dialogs_, [this] { ChooseColour(false); });
  OnClick(fontButton, dialogs_, [this] { ChooseFont(); });
  OnClick(saveButton, dialogs_, [this] { Save(); });
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

  setTabOrder(popServerList, smtpServerEdit);
  setTabOrder(smtpServerEdit, userNameEdit);
  setTabOrder(userNameEdit, passwordEdit);
  setTabOrder(passwordEdit, emailAddressEdit);
  setTabOrder(emailAddressEdit, deleteOnServerCheck);
  setTabOrder(filtersCheck, mailCheckBox_);
  setTabOrder(mailCheckBox_, mailCheckMinutes_);
  resize(520, sizeHint().height());
}

// The user name is filled before the address, and programmatic changes do
// not count as typing, so a stored address is never overwritten.
void OptionsDialog::ShowFields(const settings::MailOptions& fields) {
  popServerList->setEditText(ToQString(fields.PopServer));
  smtpServerEdit->setText(ToQString(fields.SmtpServer));
  userNameEdit->setText(ToQString(fields.UserName));
  passwordEdit->setText(ToQString(fields.Password));
  emailAddressEdit->setText(ToQString(fields.EmailAddress));
  deleteOnServerCheck->setChecked(fields.DeleteOnServer);
  checkOnStartupCheck->setChecked(fields.CheckMailOnStartup);
  emptyTrashCheck->setChecked(fields.EmptyTrashOnExit);
  signaturesCheck->setChecked(fields.UseSignatures);
  filtersCheck->setChecked(fields.UseFilters);
  ShowSecurity(*popSecurityLabel, popServerList->currentText(), true);
  ShowSecurity(*smtpSecurityLabel, smtpServerEdit->text(), false);
}

settings::OptionsForm OptionsDialog::FormShown() const {
  settings::OptionsForm form;
  form.fields.PopServer = popServerList->currentText().toStdString();
  form.fields.SmtpServer = smtpServerEdit->text().toStdString();
  form.fields.UserName = userNameEdit->text().toStdString();
  form.fields.Password = passwordEdit->text().toStdString();
  form.fields.EmailAddress = emailAddressEdit->text().toStdString();
  form.fields.DeleteOnServer = deleteOnServerCheck->isChecked();
  form.fields.CheckMailOnStartup = checkOnStartupCheck->isChecked();
  form.fields.EmptyTrashOnExit = emptyTrashCheck->isChecked();
  form.fields.UseSignatures = signaturesCheck->isChecked();
  form.fields.UseFilters = filtersCheck->isChecked();
  form.sample = sample_;
  return form;
}

void OptionsDialog::ShowSample() { ApplyTextLook(*sampleTextEdit, sample_); }

void OptionsDialog::PickAccount(int index) {
  const QString picked = popServerList->itemText(index);
  settings::OptionsForm form = FormShown();
  if (!settings::PickAccount(programFolder_, picked.toStdString(), form)) return;
  ShowFields(form.fields);
  popServerList->setEditText(picked);
}

void OptionsDialog::UserNameTyped(const QString& userName) {
  emailAddressEdit->setText(ToQString(settings::EmailAddressForUserName(
      popServerList->currentText().toStdString(), userName.toStdString(), emailAddressEdit->text().toStdString())));
}

// The chooser tells a cancel from black, so black can be chosen. A colour
// chosen against a system colour fixes the other one to what the sample
// shows, since the pane takes colours only as a pair.
void OptionsDialog::ChooseColour(bool background) {
  std::int32_t& chosenOne = background ? sample_.background : sample_.foreground;
  std::int32_t& otherOne = background ? sample_.foreground : sample_.background;
  const QPalette shown = sampleTextEdit->palette();
  const QColor initial = ColourOf(chosenOne).value_or(shown.color(background ? QPalette::Base : QPalette::Text));
  const auto chosen = desktop_.ChooseColor(this, initial);
  if (!chosen || !chosen->isValid()) return;
  chosenOne = StoredColour(*chosen);
  if (!ColourOf(otherOne)) otherOne = StoredColour(shown.color(background ? QPalette::Text : QPalette::Base));
  ShowSample();
}

void OptionsDialog::ChooseFont() {
  const auto chosen = desktop_.ChooseFont(this, sampleTextEdit->font());
  if (!chosen) return;
  const double size = chosen->pointSizeF() > 0 ? chosen->pointSizeF() : static_cast<double>(sample_.fontSize);
  settings::TakeChosenFont(chosen->family().toStdString(), static_cast<float>(size), sample_);
  ShowSample();
}

void OptionsDialog::ShowSecurity(QLabel& label, const QString& boxText, bool pop3) {
  const auto note = transport::ServerSecurityNote(boxText.toStdString(),
                                                  pop3 ? transport::MailProtocol::Pop3 : transport::MailProtocol::Smtp);
  label.setText(ToQString(note.text));
  label.setProperty("warning", note.warning);
  label.setStyleSheet(note.warning ? "color: #b00000; font-weight: bold;" : "color: #006000;");
}

void OptionsDialog::BuildMailCheckRow(QBoxLayout& layout) {
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

void OptionsDialog::Save() {
  const settings::OptionsForm form = FormShown();
  if (!settings::SaveOptions(programFolder_, form, mailOptions_, dialogs_)) return;
  // A file of its own, so that "email.opt" keeps its fourteen lines.
  try {
    settings::WriteMailCheckMinutes(programFolder_, mailCheckBox_->isChecked() ? mailCheckMinutes_->value() : 0);
  } catch (const std::exception& error) {
    dialogs_.Show(WarningBox(std::string("The mail check interval could not be saved: ") + error.what()));
  }
  savedLook_ = form.sample;
  accept();
}

}  // namespace ostrel::ui
