#include "ui/frm_key_management.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

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
#include "ui/frm_path_select.h"
#include "ui/guarded.h"
#include "ui/key_check_tips.h"
#include "ui/named_control.h"
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

frmKeyManagement::frmKeyManagement(store::Installation& installation, base::Dialogs& dialogs, Desktop& desktop,
                                   QWidget* parent)
    : QDialog(parent), installation_(installation), dialogs_(dialogs), desktop_(desktop) {
  setObjectName("frmKeyManagement");
  setWindowTitle(ToQString(keys::kKeyManagementCaption));
  BuildControls();
  Reload();
}

void frmKeyManagement::BuildControls() {
  const auto button = [this](const char* name, const char* caption) {
    auto* made = Named<QPushButton>(name, caption, this);
    made->setAutoDefault(false);
    return made;
  };

  Frame1 = Named<QGroupBox>("Frame1", "Define New Key", this);
  Label1 = Named<QLabel>("Label1", "Name", Frame1);
  Text1 = Named<QLineEdit>("Text1", Frame1);
  Label1->setBuddy(Text1);
  Label2 = Named<QLabel>("Label2", "Key", Frame1);
  Text2 = Named<QLineEdit>("Text2", Frame1);
  Text2->setMaxLength(static_cast<int>(keys::kKeyTextWidth));
  Text2->setValidator(new KeyTextValidator(Text2));
  Text2->setMinimumWidth(Text2->fontMetrics().horizontalAdvance(QString(19, QChar('8'))) + 12);
  Label2->setBuddy(Text2);
  // Says at once when the key typed does not fit its field as stored.
  Label4 = Named<QLabel>("Label4", Frame1);
  Label4->setWordWrap(true);
  Label4->hide();
  Command3 = button("Command3", "Generate");
  // The code a correspondent reads out to confirm the key, beside the key.
  keyCheckLabel_ = Named<QLabel>("keyCheckLabel", "Check code", Frame1);
  keyCheckCode_ = Named<QLabel>("keyCheckCode", Frame1);
  keyCheckCode_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  keyCheckCode_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  keyCheckCode_->setMinimumWidth(keyCheckCode_->fontMetrics().horizontalAdvance("WWWW-WWWW-WWWW-WWWW") + 4);
  Check1 = Named<QCheckBox>("Check1", "Use as Default Key", Frame1);
  Command4 = button("Command4", "Add/Update");
  Command4->setDefault(true);
  auto* define = new QGridLayout(Frame1);
  define->addWidget(Label1, 0, 0);
  define->addWidget(Text1, 0, 1, 1, 2);
  define->addWidget(Label2, 1, 0);
  define->addWidget(Text2, 1, 1);
  define->addWidget(Command3, 1, 2);
  define->addWidget(Label4, 2, 0, 1, 3);
  define->addWidget(keyCheckLabel_, 3, 0);
  define->addWidget(keyCheckCode_, 3, 1, 1, 2);
  define->addWidget(Check1, 4, 1);
  define->addWidget(Command4, 4, 2);
  define->setColumnStretch(1, 1);

  Frame2 = Named<QGroupBox>("Frame2", "Select Key", this);
  Combo1 = Named<QComboBox>("Combo1", Frame2);
  Combo1->setMinimumContentsLength(20);
  lbStat = Named<QLabel>("lbStat", Frame2);
  Command1 = button("Command1", "Set");
  auto* select = new QVBoxLayout(Frame2);
  select->addWidget(Combo1);
  select->addWidget(lbStat);
  select->addStretch();
  auto* setRow = new QHBoxLayout;
  setRow->addStretch();
  setRow->addWidget(Command1);
  select->addLayout(setRow);

  Frame3 = Named<QGroupBox>("Frame3", "Security", this);
  Command5 = button("Command5", "Transfer Keys");
  Command6 = button("Command6", "Delete Keys");
  Command7 = button("Command7", "Restore Keys");
  auto* security = new QHBoxLayout(Frame3);
  security->addWidget(Command5);
  security->addWidget(Command6);
  security->addWidget(Command7);

  Command2 = button("Command2", "Cancel");
  Label3 = Named<QLabel>("Label3", this);
  Label3->setWordWrap(true);

  auto* frames = new QHBoxLayout;
  frames->addWidget(Frame1, 3);
  frames->addWidget(Frame2, 2);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(Label3, 1);
  bottom->addWidget(Command2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(frames);
  layout->addWidget(Frame3);
  layout->addLayout(bottom);

  setTabOrder(Text1, Text2);
  setTabOrder(Text2, Command3);
  setTabOrder(Command3, Check1);
  setTabOrder(Check1, Command4);
  setTabOrder(Command4, Combo1);
  setTabOrder(Combo1, Command1);
  setTabOrder(Command1, Command5);
  setTabOrder(Command5, Command6);
  setTabOrder(Command6, Command7);
  setTabOrder(Command7, Command2);

  connect(Combo1, &QComboBox::activated, this, Guarded(dialogs_, "Choosing the key", [this] { ShowListedKey(); }));
  FollowKeyCheckTips(*Combo1);
  connect(Text2, &QLineEdit::textChanged, this, Guarded(dialogs_, "Checking the key", [this](const QString& keyText) {
            CheckKeyLength();
            ShowKeyCheckCode(keyText);
          }));
  OnClick(Command3, dialogs_, [this] { Generate(); });
  OnClick(Command4, dialogs_, [this] { AddOrUpdate(); });
  OnClick(Command1, dialogs_, [this] { Set(); });
  OnClick(Command5, dialogs_, [this] { TransferKeys(); });
  OnClick(Command6, dialogs_, [this] { DeleteKeys(); });
  OnClick(Command7, dialogs_, [this] { RestoreKeys(); });
  connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
}

void frmKeyManagement::Reload() {
  const keys::KeyManagementView view = keys::OpenKeyManagement(installation_.ProgramFolder);
  lbStat->clear();
  Combo1->clear();
  for (const std::string& name : view.names) Combo1->addItem(ToQString(name));
  Combo1->setCurrentIndex(view.listText.empty() ? -1 : Combo1->findText(ToQString(view.listText)));
  Label3->setText(ToQString(view.summary));
  ShowKeyCheckTips(*Combo1, keys::ReadKeys(installation_.ProgramFolder));
}

void frmKeyManagement::ShowKeyCheckCode(const QString& keyText) {
  const auto code = keys::TypedKeyCheckCode(keyText.toStdString());
  keyCheckCode_->setText(code ? ToQString(*code) : QString());
}

void frmKeyManagement::ShowListedKey() {
  const auto editor = keys::ShowListedKey(installation_.ProgramFolder, Combo1->currentText().toStdString());
  if (!editor) return;
  Text1->setText(ToQString(editor->name));
  Text2->setText(ToQString(editor->keyText));
  Check1->setChecked(editor->useAsDefault);
}

void frmKeyManagement::CheckKeyLength() {
  const auto tooLong = keys::KeyTextTooLong(Text2->text().toStdString());
  Label4->setText(tooLong ? ToQString(*tooLong) : QString());
  Label4->setVisible(tooLong.has_value());
  // The note takes lines of its own: the window grows to show them whole.
  layout()->activate();
  resize(size().expandedTo(sizeHint()));
}

void frmKeyManagement::Generate() { Text2->setText(ToQString(keys::GenerateKey(random_))); }

void frmKeyManagement::AddOrUpdate() {
  const keys::KeyEditor editor{Text1->text().toStdString(), Text2->text().toStdString(), Check1->isChecked()};
  if (!keys::AddOrUpdateKey(installation_.ProgramFolder, editor, dialogs_)) return;
  Reload();
  LoadDefaultKeyIfNoneLoaded();
}

void frmKeyManagement::LoadDefaultKeyIfNoneLoaded() {
  KeyLoadingDialogs status(dialogs_, *lbStat);
  WaitPointer wait;
  keys::LoadDefaultKeyIfNoneLoaded(installation_.ProgramFolder, installation_.Engine, installation_.CurrentKey,
                                   status);
}

void frmKeyManagement::Set() {
  KeyLoadingDialogs status(dialogs_, *lbStat);
  std::optional<keys::KeyEditor> editor;
  {
    WaitPointer wait;
    editor = keys::SetKey(installation_.ProgramFolder, Combo1->currentText().toStdString(), installation_.Engine,
                          installation_.CurrentKey, status);
  }
  if (editor) {
    Text1->setText(ToQString(editor->name));
    Text2->setText(ToQString(editor->keyText));
    Check1->setChecked(editor->useAsDefault);
  }
  accept();
}

void frmKeyManagement::ChooseKeyPath(std::string_view keyPathMode) {
  installation_.KeyPathMode = keyPathMode;
  frmPathSelect chooser(installation_.KeyPathMode, desktop_, this);
  installation_.KeyPath = chooser.Choose();
}

void frmKeyManagement::TransferKeys() {
  ChooseKeyPath(keys::kTransferMode);
  keys::TransferKeys(installation_.ProgramFolder, installation_.KeyPath, dialogs_);
}

void frmKeyManagement::RestoreKeys() {
  ChooseKeyPath(keys::kRestoreMode);
  if (keys::RestoreKeys(installation_.ProgramFolder, installation_.KeyPath, dialogs_)) LoadDefaultKeyIfNoneLoaded();
}

void frmKeyManagement::DeleteKeys() { keys::DeleteKeys(installation_.ProgramFolder, dialogs_); }

}  // namespace ostrel::ui
