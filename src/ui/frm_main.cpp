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
#include <algorithm>
#include <iterator>

#include "keys/key_store.h"
#include "store/box_button_text.h"
#include "ui/box_table_model.h"
#include "ui/desktop.h"
#include "ui/fallback_icons.h"
#include "ui/frm_about.h"
#include "ui/frm_notice.h"
#include "ui/guarded.h"
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
  flex->viewport()->installEventFilter(this);
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
  connect(flex->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column) {
    if (column < static_cast<int>(std::size(kColumnTwips)) - 1) FitLastColumn();
  });
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

  connect(flex, &QTableView::clicked, this,
          Guarded(dialogs_, "Opening the message", [this](const QModelIndex& index) { OpenRow(index.row()); }));
  connect(flex, &QTableView::customContextMenuRequested, this,
          Guarded(dialogs_, "Choosing the message", [this](const QPoint& at) {
            const QModelIndex index = flex->indexAt(at);
            if (index.isValid()) PopUpRow(index.row(), flex->viewport()->mapToGlobal(at));
          }));
  FollowKeyCheckTips(*Combo1);
  connect(Combo1, &QComboBox::activated, this, Guarded(dialogs_, "Loading the key", [this] { ChooseKey(); }));
  OnClick(Command1, dialogs_, [this] { Decrypt(); });
  OnClick(Command2, dialogs_, [this] { ViewAsWeb(); });
}

void frmMain::Load() {
  ShowStatus("");
  flex->hide();
  SetPane("");
  RunGuarded(dialogs_, "Start-up", [this] {
    const auto look = installation_->LoadStep();
    if (look) ApplyTextLook(*Text1, *look);
    InstallHelpPages(installation_->ProgramFolder);
    ReadMailCheckInterval();
  });
}

void frmMain::Activate() {
  // Mail checked by an activation opens a window, whose closing must not
  // start another activation inside this one.
  activating_ = true;
  const char* action = installation_->FirstActivationDone ? "Reloading the box" : "Start-up";
  RunGuarded(dialogs_, action, [this] {
    const store::Activation activation = installation_->ActivationStep();
    if (activation.showNotice) {
      frmNotice notice(installation_->ProgramFolder, dialogs_, this);
      desktop_.RunModal(notice);
    }
    FillKeyList(activation);
    switch (activation.next) {
      case store::Activation::Next::CheckMail: CheckMail(); break;
      case store::Activation::Next::ShowBox: ShowBox(activation.box); break;
      case store::Activation::Next::Nothing: break;
    }
  });
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
  // The highlight stays on the message it was on, wherever the reload moved
  // it (new mail above it, a message deleted); a message gone takes it along,
  // so Delete and Print never fall on a neighbour.
  const std::string highlighted = model_->BoxName() == installation_->CurrentBox
                                      ? model_->MessageNameAt(flex->currentIndex().row())
                                      : std::string();
  Frame2->setTitle(QString::fromStdString(box->caption));
  EndSearchOnOtherBox();
  model_->ShowBox(installation_->ProgramFolder, installation_->CurrentBox);
  ShowSearchCount();
  flex->setColumnHidden(0, true);
  for (int column = 1; column < 4; ++column) flex->setColumnWidth(column, kColumnTwips[column] / kTwipsPerPixel);
  FitLastColumn();
  const auto row = store::RowOfMessage(*box, highlighted);
  if (row && static_cast<int>(*row) < model_->rowCount()) {
    flex->setCurrentIndex(model_->index(static_cast<int>(*row), 1));
  }
  flex->show();
}

// The date column takes the width the others leave, never less than its own.
void frmMain::FitLastColumn() {
  constexpr int kLast = static_cast<int>(std::size(kColumnTwips)) - 1;
  int others = 0;
  for (int column = 0; column < kLast; ++column) {
    if (!flex->isColumnHidden(column)) others += flex->columnWidth(column);
  }
  flex->setColumnWidth(kLast, std::max(kColumnTwips[kLast] / kTwipsPerPixel, flex->viewport()->width() - others));
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
    // A box list that cannot be read or made leaves the tool tip as it was;
    // the person hears of it when the box is chosen.
    try {
      static_cast<QWidget*>(watched)->setToolTip(
          QString::fromStdString(store::BoxButtonToolTip(installation_->ProgramFolder, box)));
    } catch (const std::exception&) {
    }
  } else if (watched == flex->viewport() && event->type() == QEvent::Resize) {
    FitLastColumn();
  } else if (watched == Text1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    RunGuarded(dialogs_, "Showing the cipher text", [this] { ViewCipherText(); });
    return true;
  } else if (watched == flex && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && flex->currentIndex().isValid()) {
      RunGuarded(dialogs_, "Opening the message", [this] { OpenRow(flex->currentIndex().row()); });
      return true;
    }
    if (key == Qt::Key_Delete) {
      RunGuarded(dialogs_, ActionName(popdel->text()), [this] {
        if (SelectCurrentRow()) DeleteMsg();
      });
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event) {
  if (!exited_) {
    RunGuarded(dialogs_, ActionName(fleext->text()), [this] {
      RememberGeometry();
      WorkProgress progress(this, "Emptying the Trash...");
      installation_->ExitStep(progress.Report());
    });
    // The key's work files go whatever else failed.
    installation_->Engine.CleanUpEngine();
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
