#pragma once
// The main window: picture buttons, the grid of the box shown, the message
// pane, the key list with "Decrypt" and "View as Web", the status line, the
// menus and the popup menu. Each handler calls a flow of the installation
// and shows what it returns.

#include <QElapsedTimer>
#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "mail/mail_check_schedule.h"
#include "mail/new_mail_notice.h"
#include "store/installation.h"
#include "ui/status_line_dialogs.h"

class QAction;
class QComboBox;
class QGroupBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTableView;
class QTimer;
class QToolButton;

namespace ostrel::ui {

class BoxTableModel;
class Desktop;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // programFolder ends in "/". The dialogs show every message box of the
  // flows; the desktop runs the other windows.
  MainWindow(std::string programFolder, base::Dialogs& dialogs, Desktop& desktop, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Start-up's load step; runs once, before the window is first shown.
  void Load();
  // The activation step: after the window first shows, whenever a window
  // opened from it has closed, and when the person switches back to the
  // program from another one.
  void Activate();
  // An activation event this soon after an activation step is its echo (the
  // window becoming active again as a modal window closes) and runs none.
  static constexpr int kActivationEchoMs = 500;

  store::Installation& Program() { return *installation_; }

  // The periodic mail check's timer has woken: the check runs when it is due
  // and nothing else runs; the timer is set again either way.
  void CheckMailIfDue();
  // The clock the periodic check goes by (the machine's unless a test
  // gives another; it must outlive the window) and where its notices of new
  // mail go (the desktop's notifications, else the status line).
  void UseMailCheckClock(const mail::MailCheckClock& clock);
  void UseNewMailNotifier(std::unique_ptr<mail::NewMailNotifier> notifier);
  // The message pane's text as the flows see it, lines ended by CR LF.
  const std::string& PaneText() const { return paneText_; }
  // HelpTopic: the help page the browser window shows; empty for the web
  // page of a message.
  const std::string& HelpTopic() const { return helpTopic_; }
  // CipherTextBuffer: the text Decrypt and the Actual Encryption viewer
  // decoded last.
  const std::string& CipherTextBuffer() const { return cipherTextBuffer_; }

  // Controls, named for their role; each carries its member's name as its
  // object name too.
  QFrame* pictureButtonBar;
  QToolButton* checkMailButton;
  QToolButton* addressBookButton;
  QToolButton* keyManagementButton;
  QToolButton* newMessageButton;
  QToolButton* inBoxButton;
  QToolButton* sentButton;
  QToolButton* junkButton;
  QToolButton* trashButton;
  QToolButton* cleanUpButton;
  QToolButton* attachmentsButton;
  QGroupBox* boxFrame;
  QSplitter* boxSplitter;
  QTableView* boxGrid;
  QPlainTextEdit* messagePane;
  QLabel* keyListLabel;
  QComboBox* keyList;
  QPushButton* decryptButton;
  QPushButton* viewAsWebButton;
  QLabel* statusLabel;
  QLabel* keyRowLabel;

  // Menus and their items; the object name of each is its member's name.
  QMenu* importMenu;
  QAction* importMessageAction;
  QAction* importAttachmentsAction;
  QAction* addressBookAction;
  QAction* keyManagementAction;
  QAction* filtersAction;
  QAction* optionsAction;
  QAction* resetAllBoxesAction;
  QAction* signaturesAction;
  QAction* exitAction;
  QAction* checkMailAction;
  QAction* inBoxAction;
  QAction* sentAction;
  QAction* junkAction;
  QAction* trashAction;
  QMenu* cleanUpMenu;
  QAction* cleanUpInBoxAction;
  QAction* cleanUpSentAction;
  QAction* cleanUpJunkAction;
  QAction* cleanUpTrashAction;
  QAction* newMessageAction;
  QAction* aboutAction;
  QAction* usingHelpAction;
  QAction* keyManagementHelpAction;
  QAction* sendingHelpAction;
  QAction* receivingHelpAction;
  // The popup menu of a grid row.
  QMenu* rowMenu;
  QAction* deleteRowAction;
  QAction* printRowAction;
  QAction* replyRowAction;
  QAction* forwardRowAction;
  QAction* closeRowMenuAction;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  // One row of the menu table: a menu item, a divider or a submenu, with
  // the picture button that does the same and the shortcuts.
  struct MenuEntry;
  static const std::vector<MenuEntry>& MenuTable();
  void BuildMenus();
  void BuildPrintShortcut();
  void BuildSearch();
  void BuildMailCheckTimer();

  // What the flows return, shown.
  void ShowBox(const std::optional<store::BoxView>& box);
  void FitLastColumn();
  void SetPane(const std::string& text);
  void SetDecryptEnabled(bool enabled);
  void FillKeyList(const store::Activation& activation);
  void ShowStatus(std::string_view text);

  // Handlers.
  void SwitchBox(store::BoxName box);
  void OpenRow(int row);
  void PopUpRow(int row, const QPoint& at);
  void ChooseKey();
  void Decrypt();
  void ViewAsWeb();
  void ViewCipherText();
  void DeleteMsg();
  void PrintMessage();
  void CleanUpBox(store::BoxName box);
  void CleanUpShownBox();
  void ShowAttachments();
  void ImportMessage();
  void ImportAttachment();
  void ResetAllBoxes();
  void ShowHelp(std::string_view page);
  void ShowAbout();
  // Searching the box shown.
  void SearchShownBox(const QString& text);
  // The search field taking the keyboard reads the box for the search;
  // Escape in the field or the grid empties the field.
  bool SearchKeyEvent(QObject* watched, QEvent* event);
  void ShowSearchCount();
  void EndSearchOnOtherBox();
  // The windows of the mail, key and settings work, each opened modally.
  void OpenCompose(store::ComposeMode mode);
  void CheckMail();
  // A check the timer started keeps the box and message shown, tells its
  // failures in the status line instead of message boxes, and announces the
  // mail filed into the In box.
  void RunMailCheck(bool periodic);
  void ReadMailCheckInterval();
  void SetMailCheckTimer();
  bool BusyForMailCheck() const;
  void OpenKeyManagement();
  void OpenOptions();
  void OpenAddressBook();
  void OpenSignatures();
  void OpenFilters();
  void RunModal(QDialog& window);
  void Exit();

  std::int64_t RecordOfRow(int row) const;
  // CurrentBox as the grid's model names it; empty before a box is chosen.
  std::string CurrentBoxName() const;
  bool SelectCurrentRow();
  void RememberGeometry();
  void RestoreGeometry();

  StatusLineDialogs dialogs_;
  QMenu* fileMenu_;
  QMenu* emailMenu_;
  QMenu* helpMenu_;
  Desktop& desktop_;
  std::unique_ptr<store::Installation> installation_;
  BoxTableModel* model_;
  std::string paneText_;
  std::string helpTopic_;
  std::string cipherTextBuffer_;
  bool exited_ = false;
  bool activating_ = false;
  QElapsedTimer lastActivation_;

  QLineEdit* searchField_;
  QLabel* searchCount_;  // "2 of 3" while searching

  mail::SteadyMailCheckClock steadyClock_;
  std::unique_ptr<mail::MailCheckSchedule> mailCheckSchedule_;
  QTimer* mailCheckTimer_;
  std::unique_ptr<mail::NewMailNotifier> newMailNotifier_;
  bool checkingMail_ = false;
};

}  // namespace ostrel::ui
