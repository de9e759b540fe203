#include "ui/key_management_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

#include "base/ansi_text.h"
#include "base/fixed_records.h"
#include "keys/key_check.h"
#include "keys/key_check_code.h"
#include "keys/key_management.h"
#include "keys/key_selection.h"
#include "keys/key_store.h"
#include "keys/key_transfer.h"
#include "keys/key_wipe.h"
#include "store/installation.h"
#include "ui/guarded.h"
#include "ui/key_check_tips.h"
#include "ui/named_control.h"
#include "ui/path_select_dialog.h"
#include "ui/qt_text.h"
#include "ui/wait_pointer.h"

namespace ostrel::ui {
namespace {

// The key box takes no keystroke that would make a key the engine refuses
// (a minus sign before a digit gives wheel positions that do not exist).
class KeyTextValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    const std::string stored = base::ToAnsi(input.toStdString());
    const std::string_view keyText = base::TrimBlanks(stored);
    if (keyText.empty()) return Acceptable;
    return keys::JudgeKeyText(keyText) == keys::KeyVerdict::Refused ? Invalid : Acceptable;
  }
};

// "Set" reports the key loading in the window's own status label; message
// boxes still go to the program's dialogs.
class KeyLoadingDialogs : public base::Dialogs {
 public:
  KeyLoadingDialogs(base::Dialogs& inner, QLabel& label) : inner_(inner), label_(label) {}
  void Show(const base::MessageBox& box) override { inner_.Show(box); }
  base::Answer Ask(const base::MessageBox& box) override { return inner_.Ask(box); }
  void SetStatus(std::string_view text) override {
    label_.setText(ToQString(text));
    label_.repaint();
  }

 private:
  base::Dialogs& inner_;
  QLabel& label_;
};

}  // namespace

KeyManagementDialog::KeyManagementDialog(store::Installation& installation, base::Dialogs& dialogs, Desktop& desktop,
                                         QWidget* parent)
    : QDialog(parent), installation_(installation), dialogs_(dialogs), desktop_(desktop) {
  setObjectName("KeyManagementDialog");
  setWindowTitle(ToQString(keys::kKeyManagementCaption));
  BuildControls();
  Reload();
}

void KeyManagementDialog::BuildControls() {
  const auto button = [this](const char* name, const char* caption) {
    auto* made = Named<QPushButton>(name, caption, this);
    made->setAutoDefault(false);
    return made;
  };

  defineKeyGroup = Named<QGroupBox>("defineKeyGroup", "Define New Key", this);
  keyNameLabel = Named<QLabel>("keyNameLabel", "Name", defineKeyGroup);
  keyNameEdit = Named<QLineEdit>("keyNameEdit", defineKeyGroup);
  keyNameLabel->setBuddy(keyNameEdit);
  keyTextLabel = Named<QLabel>("keyTextLabel", "Key", defineKeyGroup);
  keyTextEdit = Named<QLineEdit>("keyTextEdit", defineKeyGroup);
  keyTextEdit->setMaxLength(static_cast<int>(keys::kKeyTextWidth));
  keyTextEdit->setValidator(new KeyTextValidator(keyTextEdit));
  keyTextEdit->setMinimumWidth(keyTextEdit->fontMetrics().horizontalAdvance(QString(19, QChar('8'))) + 12);
  keyTextLabel->setBuddy(keyTextEdit);
  // Says at once when the key typed does not fit its field as stored.
  keyLengthWarning = Named<QLabel>("keyLengthWarning", defineKeyGroup);
  keyLengthWarning->setWordWrap(true);
  keyLengthWarning->hide();
  generateButton = button("generateButton", "Generate");
  // The code a correspondent reads out to confirm the key, beside the key.
  keyCheckLabel_ = Named<QLabel>("keyCheckLabel", "Check code", defineKeyGroup);
  keyCheckCode_ = Named<QLabel>("keyCheckCode", defineKeyGroup);
  keyCheckCode_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  keyCheckCode_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  keyCheckCode_->setMinimumWidth(keyCheckCode_->fontMetrics().horizontalAdvance("WWWW-WWWW-WWWW-WWWW") + 4);
  defaultKeyCheck = Named<QCheckBox>("defaultKeyCheck", "Use as Default Key", defineKeyGroup);
  addUpdateButton = button("addUpdateButton", "Add/Update");
  addUpdateButton->setDefault(true);
  auto* define = new QGridLayout(defineKeyGroup);
  define->addWidget(keyNameLabel, 0, 0);
  define->addWidget(keyNameEdit, 0, 1, 1, 2);
  define->addWidget(keyTextLabel, 1, 0);
  define->addWidget(keyTextEdit, 1, 1);
  define->addWidget(generateButton, 1, 2);
  define->addWidget(keyLengthWarning, 2, 0, 1, 3);
  define->addWidget(keyCheckLabel_, 3, 0);
  define->addWidget(keyCheckCode_, 3, 1, 1, 2);
  define->addWidget(defaultKeyCheck, 4, 1);
  define->addWidget(addUpdateButton, 4, 2);
  define->setColumnStretch(1, 1);

  selectKeyGroup = Named<QGroupBox>("selectKeyGroup", "Select Key", this);
  keyList = Named<QComboBox>("keyList", selectKeyGroup);
  keyList->setMinimumContentsLength(20);
  statusLabel = Named<QLabel>("statusLabel", selectKeyGroup);
  setKeyButton = button("setKeyButton", "Set");
  auto* select = new QVBoxLayout(selectKeyGroup);
  select->addWidget(keyList);
  select->addWidget(statusLabel);
  select->addStretch();
  auto* setRow = new QHBoxLayout;
  setRow->addStretch();
  setRow->addWidget(setKeyButton);
  select->addLayout(setRow);

  securityGroup = Named<QGroupBox>("securityGroup", "Security", this);
  transferKeysButton = button("transferKeysButton", "Transfer Keys");
  deleteKeysButton = button("deleteKeysButton", "Delete Keys");
  restoreKeysButton = button("restoreKeysButton", "Restore Keys");
  auto* security = new QHBoxLayout(securityGroup);
  security->addWidget(transferKeysButton);
  security->addWidget(deleteKeysButton);
  security->addWidget(restoreKeysButton);

  cancelButton = button("cancelButton", "Cancel");
  summaryLabel = Named<QLabel>("summaryLabel", this);
  summaryLabel->setWordWrap(true);

  auto* frames = new QHBoxLayout;
  frames->addWidget(defineKeyGroup, 3);
  frames->addWidget(selectKeyGroup, 2);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(summaryLabel, 1);
  bottom->addWidget(cancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(frames);
  layout->addWidget(securityGroup);
  layout->addLayout(bottom);

  setTabOrder(keyNameEdit, keyTextEdit);
  setTabOrder(keyTextEdit, generateButton);
  setTabOrder(generateButton, defaultKeyCheck);
  setTabOrder(defaultKeyCheck, addUpdateButton);
  setTabOrder(addUpdateButton, keyList);
  setTabOrder(keyList, setKeyButton);
  setTabOrder(setKeyButton, transferKeysButton);
  setTabOrder(transferKeysButton, deleteKeysButton);
  setTabOrder(deleteKeysButton, restoreKeysButton);
  setTabOrder(restoreKeysButton, cancelButton);

  connect(keyList, &QComboBox::activated, this, Guarded(dialogs_, "Choosing the key", [this] { ShowListedKey(); }));
  FollowKeyCheckTips(*keyList);
  connect(keyTextEdit, &QLineEdit::textChanged, this,
          Guarded(dialogs_, "Checking the key", [this](const QString& keyText) {
            CheckKeyLength();
            ShowKeyCheckCode(keyText);
          }));
  OnClick(generateButton, dialogs_, [this] { Generate(); });
  OnClick(addUpdateButton, dialogs_, [this] { AddOrUpdate(); });
  OnClick(setKeyButton, dialogs_, [this] { Set(); });
  OnClick(transferKeysButton, dialogs_, [this] { TransferKeys(); });
  OnClick(deleteKeysButton, dialogs_, [this] { DeleteKeys(); });
  OnClick(restoreKeysButton, dialogs_, [this] { RestoreKeys(); });
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void KeyManagementDialog::Reload() {
  const keys::KeyManagementView view = keys::OpenKeyManagement(installation_.ProgramFolder);
  statusLabel->clear();
  keyList->clear();
  for (const std::string& name : view.names) keyList->addItem(ToQString(name));
  keyList->setCurrentIndex(view.listText.empty() ? -1 : keyList->findText(ToQString(view.listText)));
  summaryLabel->setText(ToQString(view.summary));
  ShowKeyCheckTips(*keyList, keys::ReadKeys(installation_.ProgramFolder));
}

void KeyManagementDialog::ShowKeyCheckCode(const QString& keyText) {
  const auto code = keys::TypedKeyCheckCode(keyText.toStdString());
  keyCheckCode_->setText(code ? ToQString(*code) : QString());
}

void KeyManagementDialog::ShowListedKey() {
  const auto editor = keys::ShowListedKey(installation_.ProgramFolder, keyList->currentText().toStdString());
  if (!editor) return;
  keyNameEdit->setText(ToQString(editor->name));
  keyTextEdit->setText(ToQString(editor->keyText));
  defaultKeyCheck->setChecked(editor->useAsDefault);
}

void KeyManagementDialog::CheckKeyLength() {
  const auto tooLong = keys::KeyTextTooLong(keyTextEdit->text().toStdString());
  keyLengthWarning->setText(tooLong ? ToQString(*tooLong) : QString());
  keyLengthWarning->setVisible(tooLong.has_value());
  // The note takes lines of its own: the window grows to show them whole.
  layout()->activate();
  resize(size().expandedTo(sizeHint()));
}

void KeyManagementDialog::Generate() { keyTextEdit->setText(ToQString(keys::GenerateKey(random_))); }

void KeyManagementDialog::AddOrUpdate() {
  const keys::KeyEditor editor{keyNameEdit->text().toStdString(), keyTextEdit->text().toStdString(),
                               defaultKeyCheck->isChecked()};
  if (!keys::AddOrUpdateKey(installation_.ProgramFolder, editor, dialogs_)) return;
  Reload();
  LoadDefaultKeyIfNoneLoaded();
}

void KeyManagementDialog::LoadDefaultKeyIfNoneLoaded() {
  KeyLoadingDialogs status(dialogs_, *statusLabel);
  WaitPointer wait;
  keys::LoadDefaultKeyIfNoneLoaded(installation_.ProgramFolder, installation_.Engine, installation_.CurrentKey, status);
}

void KeyManagementDialog::Set() {
  KeyLoadingDialogs status(dialogs_, *statusLabel);
  std::optional<keys::KeyEditor> editor;
  {
    WaitPointer wait;
    editor = keys::SetKey(installation_.ProgramFolder, keyList->currentText().toStdString(), installation_.Engine,
                          installation_.CurrentKey, status);
  }
  if (editor) {
    keyNameEdit->setText(ToQString(editor->name));
    keyTextEdit->setText(ToQString(editor->keyText));
    defaultKeyCheck->setChecked(editor->useAsDefault);
  }
  accept();
}

std::string KeyManagementDialog::ChooseKeyPath(keys::KeyPathMode keyPathMode) {
  PathSelectDialog chooser(keyPathMode, desktop_, this);
  return chooser.Choose();
}

void KeyManagementDialog::TransferKeys() {
  const std::string keyPath = ChooseKeyPath(keys::KeyPathMode::Transfer);
  keys::TransferKeys(installation_.ProgramFolder, keyPath, dialogs_);
}

void KeyManagementDialog::RestoreKeys() {
  const std::string keyPath = ChooseKeyPath(keys::KeyPathMode::Restore);
  if (keys::RestoreKeys(installation_.ProgramFolder, keyPath, dialogs_)) LoadDefaultKeyIfNoneLoaded();
}

void KeyManagementDialog::DeleteKeys() { keys::DeleteKeys(installation_.ProgramFolder, dialogs_); }

}  // namespace ostrel::ui
