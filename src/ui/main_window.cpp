#include "ui/main_window.h"

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
#include "ui/about_dialog.h"
#include "ui/box_table_model.h"
#include "ui/desktop.h"
#include "ui/fallback_icons.h"
#include "ui/guarded.h"
#include "ui/help_pages.h"
#include "ui/key_check_tips.h"
#include "ui/named_control.h"
#include "ui/notice_dialog.h"
#include "ui/qt_text.h"
#include "ui/text_look.h"
#include "ui/work_progress.h"

namespace ostrel::ui {
namespace {

// Grid column widths in twips, at 15 twips to a pixel.
constexpr int kTwipsPerPixel = 15;
constexpr int kColumnTwips[] = {0, 2300, 4700, 2700};

// Where "window.ini" keeps the window's place and the split between grid and
// pane.
constexpr const char* kGeometryKey = "MainWindow/geometry";
constexpr const char* kSplitterKey = "MainWindow/splitter";

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

MainWindow::MainWindow(std::string programFolder, base::Dialogs& dialogs, Desktop& desktop, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs, [this](std::string_view text) { ShowStatus(text); }), desktop_(desktop) {
  setObjectName("MainWindow");
  setWindowTitle(kMainCaption);
  setWindowIcon(ProgramIcon());
  BuildControls();
  installation_ = std::make_unique<store::Installation>(std::move(programFolder), dialogs_);
  BuildMenus();
  BuildPrintShortcut();
  BuildSearch();
  BuildMailCheckTimer();
  // Filters go in last: they use controls and the installation.
  for (QToolButton* button : {inBoxButton, sentButton, junkButton, trashButton}) button->installEventFilter(this);
  boxGrid->installEventFilter(this);
  boxGrid->viewport()->installEventFilter(this);
  messagePane->viewport()->installEventFilter(this);
  resize(820, 640);
  RestoreGeometry();
}

MainWindow::~MainWindow() {
  // A window torn down without the exit step still wipes the key's work files.
  if (!exited_) installation_->Engine.CleanUpEngine();
}

void MainWindow::BuildControls() {
  auto* central = new QWidget(this);
  setCentralWidget(central);

  pictureButtonBar = Named<QFrame>("pictureButtonBar", central);
  checkMailButton = PictureButton(pictureButtonBar, "checkMailButton", "mail-receive", "Check Mail", "Check Mail");
  addressBookButton =
      PictureButton(pictureButtonBar, "addressBookButton", "x-office-address-book", "Addresses", "Address Book");
  keyManagementButton =
      PictureButton(pictureButtonBar, "keyManagementButton", "dialog-password", "Keys", "Key Management");
  newMessageButton = PictureButton(pictureButtonBar, "newMessageButton", "mail-message-new", "New", "New Message");
  inBoxButton = PictureButton(pictureButtonBar, "inBoxButton", "mail-folder-inbox", "In Box", "In Box");
  sentButton = PictureButton(pictureButtonBar, "sentButton", "mail-send", "Sent", "Sent Messages");
  junkButton = PictureButton(pictureButtonBar, "junkButton", "mail-mark-junk", "Junk", "Junk Messages");
  trashButton = PictureButton(pictureButtonBar, "trashButton", "user-trash", "Trash", "Trash Bin");
  cleanUpButton = PictureButton(pictureButtonBar, "cleanUpButton", "edit-clear", "Clean Up", "Clean Uo Current Box");
  attachmentsButton =
      PictureButton(pictureButtonBar, "attachmentsButton", "mail-attachment", "Attachments", "Attachments");
  auto* buttonRow = new QHBoxLayout(pictureButtonBar);
  buttonRow->setContentsMargins(2, 2, 2, 2);
  for (QToolButton* button : {checkMailButton, addressBookButton, keyManagementButton, newMessageButton, inBoxButton,
                              sentButton, junkButton, trashButton, cleanUpButton, attachmentsButton}) {
    buttonRow->addWidget(button);
  }
  buttonRow->addStretch();
  inBoxButton->setProperty("box", "In");
  sentButton->setProperty("box", "Sent");
  junkButton->setProperty("box", "Junk");
  trashButton->setProperty("box", "Trash");

  boxFrame = Named<QGroupBox>("boxFrame", central);
  boxSplitter = Named<QSplitter>("boxSplitter", Qt::Vertical, boxFrame);
  boxSplitter->setChildrenCollapsible(false);
  boxGrid = Named<QTableView>("boxGrid", boxSplitter);
  model_ = new BoxTableModel(boxGrid);
  boxGrid->setModel(model_);
  boxGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  boxGrid->setSelectionMode(QAbstractItemView::SingleSelection);
  boxGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  boxGrid->setContextMenuPolicy(Qt::CustomContextMenu);
  boxGrid->setWordWrap(false);
  boxGrid->verticalHeader()->hide();
  boxGrid->verticalHeader()->setDefaultSectionSize(boxGrid->fontMetrics().height() + 6);
  boxGrid->horizontalHeader()->setHighlightSections(false);
  connect(boxGrid->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column) {
    if (column < static_cast<int>(std::size(kColumnTwips)) - 1) FitLastColumn();
  });
  messagePane = Named<QPlainTextEdit>("messagePane", boxSplitter);
  messagePane->setReadOnly(true);
  boxSplitter->addWidget(boxGrid);
  boxSplitter->addWidget(messagePane);
  boxSplitter->setSizes({220, 300});
  auto* frameLayout = new QVBoxLayout(boxFrame);
  frameLayout->addWidget(boxSplitter);

  keyListLabel = Named<QLabel>("keyListLabel", "Using Key", central);
  keyList = Named<QComboBox>("keyList", central);
  keyList->setMinimumContentsLength(24);
  keyListLabel->setBuddy(keyList);
  decryptButton = Named<QPushButton>("decryptButton", "Decrypt", central);
  viewAsWebButton = Named<QPushButton>("viewAsWebButton", "View as Web", central);
  keyRowLabel = Named<QLabel>("keyRowLabel", central);
  auto* keyRow = new QHBoxLayout;
  keyRow->addWidget(keyListLabel);
  keyRow->addWidget(keyList);
  keyRow->addWidget(decryptButton);
  keyRow->addWidget(viewAsWebButton);
  keyRow->addStretch();
  keyRow->addWidget(keyRowLabel);

  statusLabel = Named<QLabel>("statusLabel", central);
  statusLabel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  statusLabel->setMinimumHeight(statusLabel->fontMetrics().height() + 6);

  auto* layout = new QVBoxLayout(central);
  layout->addWidget(pictureButtonBar);
  layout->addWidget(boxFrame, 1);
  layout->addLayout(keyRow);
  layout->addWidget(statusLabel);

  connect(boxGrid, &QTableView::clicked, this,
          Guarded(dialogs_, "Opening the message", [this](const QModelIndex& index) { OpenRow(index.row()); }));
  connect(boxGrid, &QTableView::customContextMenuRequested, this,
          Guarded(dialogs_, "Choosing the message", [this](const QPoint& at) {
            const QModelIndex index = boxGrid->indexAt(at);
            if (index.isValid()) PopUpRow(index.row(), boxGrid->viewport()->mapToGlobal(at));
          }));
  FollowKeyCheckTips(*keyList);
  connect(keyList, &QComboBox::activated, this, Guarded(dialogs_, "Loading the key", [this] { ChooseKey(); }));
  OnClick(decryptButton, dialogs_, [this] { Decrypt(); });
  OnClick(viewAsWebButton, dialogs_, [this] { ViewAsWeb(); });
}

void MainWindow::Load() {
  ShowStatus("");
  boxGrid->hide();
  SetPane("");
  RunGuarded(dialogs_, "Start-up", [this] {
    const auto look = installation_->LoadStep();
    if (look) ApplyTextLook(*messagePane, *look);
    InstallHelpPages(installation_->ProgramFolder);
    ReadMailCheckInterval();
  });
}

void MainWindow::Activate() {
  // Mail checked by an activation opens a window, whose closing must not
  // start another activation inside this one.
  activating_ = true;
  const char* action = installation_->Run.FirstActivationDone ? "Reloading the box" : "Start-up";
  RunGuarded(dialogs_, action, [this] {
    const store::Activation activation = installation_->ActivationStep();
    if (activation.showNotice) {
      NoticeDialog notice(installation_->ProgramFolder, dialogs_, this);
      desktop_.RunModal(notice);
    }
    FillKeyList(activation);
    switch (activation.next) {
      case store::Activation::Next::CheckMail:
        CheckMail();
        break;
      case store::Activation::Next::ShowBox:
        ShowBox(activation.box);
        break;
      case store::Activation::Next::Nothing:
        break;
    }
  });
  activating_ = false;
  lastActivation_.start();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow() || exited_ || activating_) return;
  // Start-up runs the first activation itself; a modal window still open
  // keeps the main window waiting.
  if (!installation_->Run.FirstActivationDone || QApplication::activeModalWidget() != nullptr) return;
  if (lastActivation_.isValid() && lastActivation_.elapsed() < kActivationEchoMs) return;
  Activate();
}

void MainWindow::ShowBox(const std::optional<store::BoxView>& box) {
  if (!box) {
    boxGrid->hide();
    return;
  }
  // The highlight stays on the message it was on, wherever the reload moved
  // it (new mail above it, a message deleted); a message gone takes it along,
  // so Delete and Print never fall on a neighbour.
  const std::string highlighted = model_->BoxName() == CurrentBoxName()
                                      ? model_->MessageNameAt(boxGrid->currentIndex().row())
                                      : std::string();
  boxFrame->setTitle(QString::fromStdString(box->caption));
  EndSearchOnOtherBox();
  model_->ShowBox(installation_->ProgramFolder, CurrentBoxName());
  ShowSearchCount();
  boxGrid->setColumnHidden(0, true);
  for (int column = 1; column < 4; ++column) boxGrid->setColumnWidth(column, kColumnTwips[column] / kTwipsPerPixel);
  FitLastColumn();
  const auto row = store::RowOfMessage(*box, highlighted);
  if (row && static_cast<int>(*row) < model_->rowCount()) {
    boxGrid->setCurrentIndex(model_->index(static_cast<int>(*row), 1));
  }
  boxGrid->show();
}

// The date column takes the width the others leave, never less than its own.
void MainWindow::FitLastColumn() {
  constexpr int kLast = static_cast<int>(std::size(kColumnTwips)) - 1;
  int others = 0;
  for (int column = 0; column < kLast; ++column) {
    if (!boxGrid->isColumnHidden(column)) others += boxGrid->columnWidth(column);
  }
  boxGrid->setColumnWidth(kLast, std::max(kColumnTwips[kLast] / kTwipsPerPixel, boxGrid->viewport()->width() - others));
}

void MainWindow::SetPane(const std::string& text) {
  paneText_ = text;
  messagePane->setPlainText(DisplayLines(text));
}

void MainWindow::SetDecryptEnabled(bool enabled) {
  decryptButton->setEnabled(enabled);
  keyList->setEnabled(enabled);
}

void MainWindow::FillKeyList(const store::Activation& activation) {
  keyList->clear();
  for (const auto& name : activation.keyNames) keyList->addItem(QString::fromStdString(name));
  keyList->setCurrentIndex(
      activation.shownKeyName.empty() ? -1 : keyList->findText(QString::fromStdString(activation.shownKeyName)));
  ShowKeyCheckTips(*keyList, keys::ReadKeys(installation_->ProgramFolder));
}

void MainWindow::ShowStatus(std::string_view text) {
  statusLabel->setText(ToQString(text));
  statusLabel->repaint();
}

std::int64_t MainWindow::RecordOfRow(int row) const {
  const QString cell = model_->data(model_->index(row, 0), Qt::DisplayRole).toString();
  return store::Installation::RecordNumberOf(cell.toStdString());
}

bool MainWindow::SelectCurrentRow() {
  if (!boxGrid->isVisible() || !boxGrid->currentIndex().isValid()) return false;
  return installation_->SelectRow(RecordOfRow(boxGrid->currentIndex().row()));
}

std::string MainWindow::CurrentBoxName() const {
  const auto& box = installation_->Selection.CurrentBox;
  return box ? std::string(store::NameOf(*box)) : std::string();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
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
  } else if (watched == boxGrid->viewport() && event->type() == QEvent::Resize) {
    FitLastColumn();
  } else if (watched == messagePane->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    RunGuarded(dialogs_, "Showing the cipher text", [this] { ViewCipherText(); });
    return true;
  } else if (watched == boxGrid && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && boxGrid->currentIndex().isValid()) {
      RunGuarded(dialogs_, "Opening the message", [this] { OpenRow(boxGrid->currentIndex().row()); });
      return true;
    }
    if (key == Qt::Key_Delete) {
      RunGuarded(dialogs_, ActionName(deleteRowAction->text()), [this] {
        if (SelectCurrentRow()) DeleteMsg();
      });
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!exited_) {
    RunGuarded(dialogs_, ActionName(exitAction->text()), [this] {
      RememberGeometry();
      WorkProgress progress(this, "Emptying the Trash...");
      installation_->ExitStep(progress.Report());
    });
    cipherTextBuffer_.clear();
    // The key's work files go whatever else failed.
    installation_->Engine.CleanUpEngine();
    exited_ = true;
  }
  event->accept();
  QCoreApplication::quit();
}

void MainWindow::RememberGeometry() {
  QSettings settings(QString::fromStdString(installation_->ProgramFolder + "window.ini"), QSettings::IniFormat);
  settings.setValue(kGeometryKey, saveGeometry());
  settings.setValue(kSplitterKey, boxSplitter->saveState());
}

void MainWindow::RestoreGeometry() {
  QSettings settings(QString::fromStdString(installation_->ProgramFolder + "window.ini"), QSettings::IniFormat);
  if (settings.contains(kGeometryKey)) restoreGeometry(settings.value(kGeometryKey).toByteArray());
  if (settings.contains(kSplitterKey)) boxSplitter->restoreState(settings.value(kSplitterKey).toByteArray());
}

}  // namespace ostrel::ui
