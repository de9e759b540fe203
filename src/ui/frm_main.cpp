#include "ui/frm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "keys/key_store.h"
#include "store/box_button_text.h"
#include "ui/box_table_model.h"
#include "ui/desktop.h"
#include "ui/fallback_icons.h"
#include "ui/frm_about.h"
#include "ui/frm_notice.h"
#include "ui/help_pages.h"
#include "ui/key_check_tips.h"
#include "ui/named_control.h"
#include "ui/qt_text.h"
#include "ui/text_look.h"
#include "ui/work_progress.h"

namespace ostrel::ui {
namespace {

// Grid column widths in twips, at 15 twips to a pixel.
constexpr int kTwipsPerPixel = 15;
constexpr int kColumnTwips[] = {0, 2300, 4700, 2700};

QToolButton* PictureButton(QWidget* parent, const char* name, const char* iconName, const char* label,
                           const char* toolTip) {
  auto* button = Named<QToolButton>(name, parent);
  button->setIcon(ThemeIcon(iconName));
  button->setIconSize(QSize(32, 32));
  button->setText(label);
  button->setToolTip(toolTip);
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setAutoRaise(true);
  return button;
}

// The pane shows lines; the flows keep CR LF line ends.
QString DisplayLines(const std::string& text) {
  QString lines = QString::fromStdString(text);
  lines.replace("\r\n", "\n");
  return lines;
}

}  // namespace

frmMain::frmMain(std::string programFolder, base::Dialogs& dialogs, Desktop& desktop, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs, [this](std::string_view text) { ShowStatus(text); }),
      desktop_(desktop) {
  setObjectName("frmMain");
  setWindowTitle(kMainCaption);
  setWindowIcon(ProgramIcon());
  BuildControls();
  installation_ = std::make_unique<store::Installation>(std::move(programFolder), dialogs_);
  BuildMenus();
  BuildPopupMenu();
  BuildShortcuts();
  BuildSearch();
  BuildMailCheckTimer();
  // Filters go in last: they use controls and the installation.
  for (QToolButton* button : {Image5, Image6, Image7, Image8}) button->installEventFilter(this);
  flex->installEventFilter(this);
  Text1->viewport()->installEventFilter(this);
  resize(820, 640);
  RestoreGeometry();
}

frmMain::~frmMain() {
  // A window torn down without the exit step still wipes the key's work files.
  if (!exited_) installation_->Engine.CleanUpEngine();
}

void frmMain::BuildControls() {
  auto* central = new QWidget(this);
  setCentralWidget(central);

  Frame1 = Named<QFrame>("Frame1", central);
  Image1 = PictureButton(Frame1, "Image1", "mail-receive", "Check Mail", "Check Mail");
  Image2 = PictureButton(Frame1, "Image2", "x-office-address-book", "Addresses", "Address Book");
  Image3 = PictureButton(Frame1, "Image3", "dialog-password", "Keys", "Key Management");
  Image4 = PictureButton(Frame1, "Image4", "mail-message-new", "New", "New Message");
  Image5 = PictureButton(Frame1, "Image5", "mail-folder-inbox", "In Box", "In Box");
  Image6 = PictureButton(Frame1, "Image6", "mail-send", "Sent", "Sent Messages");
  Image7 = PictureButton(Frame1, "Image7", "mail-mark-junk", "Junk", "Junk Messages");
  Image8 = PictureButton(Frame1, "Image8", "user-trash", "Trash", "Trash Bin");
  Image9 = PictureButton(Frame1, "Image9", "edit-clear", "Clean Up", "Clean Uo Current Box");
  Image10 = PictureButton(Frame1, "Image10", "mail-attachment", "Attachments", "Attachments");
  auto* buttonRow = new QHBoxLayout(Frame1);
  buttonRow->setContentsMargins(2, 2, 2, 2);
  for (QToolButton* button : {Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image9, Image10}) {
    buttonRow->addWidget(button);
  }
  buttonRow->addStretch();
  Image5->setProperty("box", "In");
  Image6->setProperty("box", "Sent");
  Image7->setProperty("box", "Junk");
  Image8->setProperty("box", "Trash");

  Frame2 = Named<QGroupBox>("Frame2", central);
  Splitter1 = Named<QSplitter>("Splitter1", Qt::Vertical, Frame2);
  Splitter1->setChildrenCollapsible(false);
  flex = Named<QTableView>("flex", Splitter1);
  model_ = new BoxTableModel(flex);
  flex->setModel(model_);
  flex->setSelectionBehavior(QAbstractItemView::SelectRows);
  flex->setSelectionMode(QAbstractItemView::SingleSelection);
  flex->setEditTriggers(QAbstractItemView::NoEditTriggers);
  flex->setContextMenuPolicy(Qt::CustomContextMenu);
  flex->setWordWrap(false);
  flex->verticalHeader()->hide();
  flex->verticalHeader()->setDefaultSectionSize(flex->fontMetrics().height() + 6);
  flex->horizontalHeader()->setHighlightSections(false);
  Text1 = Named<QPlainTextEdit>("Text1", Splitter1);
  Text1->setReadOnly(true);
  Splitter1->addWidget(flex);
  Splitter1->addWidget(Text1);
  Splitter1->setSizes({220, 300});
  auto* frameLayout = new QVBoxLayout(Frame2);
  frameLayout->addWidget(Splitter1);

  Label4 = Named<QLabel>("Label4", "Using Key", central);
  Combo1 = Named<QComboBox>("Combo1", central);
  Combo1->setMinimumContentsLength(24);
  Label4->setBuddy(Combo1);
  Command1 = Named<QPushButton>("Command1", "Decrypt", central);
  Command2 = Named<QPushButton>("Command2", "View as Web", central);
  Label1 = Named<QLabel>("Label1", central);
  auto* keyRow = new QHBoxLayout;
  keyRow->addWidget(Label4);
  keyRow->addWidget(Combo1);
  keyRow->addWidget(Command1);
  keyRow->addWidget(Command2);
  keyRow->addStretch();
  keyRow->addWidget(Label1);

  lbStat = Named<QLabel>("lbStat", central);
  lbStat->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  lbStat->setMinimumHeight(lbStat->fontMetrics().height() + 6);

  auto* layout = new QVBoxLayout(central);
  layout->addWidget(Frame1);
  layout->addWidget(Frame2, 1);
  layout->addLayout(keyRow);
  layout->addWidget(lbStat);

  connect(flex, &QTableView::clicked, this, [this](const QModelIndex& index) { OpenRow(index.row()); });
  connect(flex, &QTableView::customContextMenuRequested, this, [this](const QPoint& at) {
    const QModelIndex index = flex->indexAt(at);
    if (index.isValid()) PopUpRow(index.row(), flex->viewport()->mapToGlobal(at));
  });
  FollowKeyCheckTips(*Combo1);
  connect(Combo1, &QComboBox::activated, this, &frmMain::ChooseKey);
  connect(Command1, &QPushButton::clicked, this, &frmMain::Decrypt);
  connect(Command2, &QPushButton::clicked, this, &frmMain::ViewAsWeb);
}

void frmMain::Load() {
  ShowStatus("");
  flex->hide();
  SetPane("");
  const auto look = installation_->LoadStep();
  if (look) ApplyTextLook(*Text1, *look);
  InstallHelpPages(installation_->ProgramFolder);
  ReadMailCheckInterval();
}

void frmMain::Activate() {
  // Mail checked by an activation opens a window, whose closing must not
  // start another activation inside this one.
  activating_ = true;
  const store::Activation activation = installation_->ActivationStep();
  if (activation.showNotice) {
    frmNotice notice(installation_->ProgramFolder, this);
    desktop_.RunModal(notice);
  }
  FillKeyList(activation);
  switch (activation.next) {
    case store::Activation::Next::CheckMail: CheckMail(); break;
    case store::Activation::Next::ShowBox: ShowBox(activation.box); break;
    case store::Activation::Next::Nothing: break;
  }
  activating_ = false;
  lastActivation_.start();
}

void frmMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow() || exited_ || activating_) return;
  // Start-up runs the first activation itself; a modal window still open
  // keeps the main window waiting.
  if (!installation_->FirstActivationDone || QApplication::activeModalWidget() != nullptr) return;
  if (lastActivation_.isValid() && lastActivation_.elapsed() < kActivationEchoMs) return;
  Activate();
}

void frmMain::ShowBox(const std::optional<store::BoxView>& box) {
  if (!box) {
    flex->hide();
    return;
  }
  const int currentRow = flex->currentIndex().row();
  Frame2->setTitle(QString::fromStdString(box->caption));
  EndSearchOnOtherBox();
  model_->ShowBox(installation_->ProgramFolder, installation_->CurrentBox);
  ShowSearchCount();
  flex->setColumnHidden(0, true);
  for (int column = 1; column < 4; ++column) flex->setColumnWidth(column, kColumnTwips[column] / kTwipsPerPixel);
  // After a reload the row the person was on stays the current one.
  if (currentRow >= 0 && currentRow < model_->rowCount()) {
    flex->setCurrentIndex(model_->index(currentRow, 1));
  }
  flex->show();
}

void frmMain::SetPane(const std::string& text) {
  paneText_ = text;
  Text1->setPlainText(DisplayLines(text));
}

void frmMain::SetDecryptEnabled(bool enabled) {
  Command1->setEnabled(enabled);
  Combo1->setEnabled(enabled);
}

void frmMain::FillKeyList(const store::Activation& activation) {
  Combo1->clear();
  for (const auto& name : activation.keyNames) Combo1->addItem(QString::fromStdString(name));
  Combo1->setCurrentIndex(activation.shownKeyName.empty()
                              ? -1
                              : Combo1->findText(QString::fromStdString(activation.shownKeyName)));
  ShowKeyCheckTips(*Combo1, keys::ReadKeys(installation_->ProgramFolder));
}

void frmMain::ShowStatus(std::string_view text) {
  lbStat->setText(ToQString(text));
  lbStat->repaint();
}

std::int64_t frmMain::RecordOfRow(int row) const {
  const QString cell = model_->data(model_->index(row, 0), Qt::DisplayRole).toString();
  return store::Installation::RecordNumberOf(cell.toStdString());
}

bool frmMain::SelectCurrentRow() {
  if (!flex->isVisible() || !flex->currentIndex().isValid()) return false;
  return installation_->SelectRow(RecordOfRow(flex->currentIndex().row()));
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (SearchKeyEvent(watched, event)) return true;
  if ((event->type() == QEvent::Enter || event->type() == QEvent::ToolTip) && watched->property("box").isValid()) {
    const std::string box = watched->property("box").toString().toStdString();
    static_cast<QWidget*>(watched)->setToolTip(
        QString::fromStdString(store::BoxButtonToolTip(installation_->ProgramFolder, box)));
  } else if (watched == Text1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    ViewCipherText();
    return true;
  } else if (watched == flex && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && flex->currentIndex().isValid()) {
      OpenRow(flex->currentIndex().row());
      return true;
    }
    if (key == Qt::Key_Delete) {
      if (SelectCurrentRow()) DeleteMsg();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (!exited_) {
    RememberGeometry();
    WorkProgress progress(this, "Emptying the Trash...");
    installation_->ExitStep(progress.Report());
    exited_ = true;
  }
  event->accept();
  QCoreApplication::quit();
}

void frmMain::RememberGeometry() {
  QSettings settings(QString::fromStdString(installation_->ProgramFolder + "window.ini"), QSettings::IniFormat);
  settings.setValue("frmMain/geometry", saveGeometry());
  settings.setValue("frmMain/splitter", Splitter1->saveState());
}

void frmMain::RestoreGeometry() {
  QSettings settings(QString::fromStdString(installation_->ProgramFolder + "window.ini"), QSettings::IniFormat);
  if (settings.contains("frmMain/geometry")) restoreGeometry(settings.value("frmMain/geometry").toByteArray());
  if (settings.contains("frmMain/splitter")) Splitter1->restoreState(settings.value("frmMain/splitter").toByteArray());
}

}  // namespace ostrel::ui
