// The periodic mail check: its option in the options window (a file of its
// own), the timer's check on a clock the test moves, never over another
// window, keeping what the person looks at, and the notice of new mail.

#include <QTimer>

#include "settings/mail_check_interval.h"
#include "transport/scripted_server.h"
#include "ui/options_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

class HandClock : public mail::MailCheckClock {
 public:
  TimePoint Now() const override { return now; }
  TimePoint now{std::chrono::hours(1000)};
};

class RecordingNotifier : public mail::NewMailNotifier {
 public:
  explicit RecordingNotifier(std::vector<std::string>& notices) : notices_(notices) {}
  void Notify(std::string_view text) override { notices_.emplace_back(text); }

 private:
  std::vector<std::string>& notices_;
};

class PeriodicCheckWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    WriteDefaultKey(store.Folder());
  }
  // The window over the hand clock and, unless told otherwise, the recording
  // notifier, its account at the server if there is one.
  void StartWith(int minutes, const ScriptedServer* server, bool recordNotices = true) {
    settings::WriteMailCheckMinutes(store.Folder(), minutes);
    Start();
    window->UseMailCheckClock(clock);
    if (recordNotices) window->UseNewMailNotifier(std::make_unique<RecordingNotifier>(notices));
    if (server != nullptr) UseLocalServer(*window, server->Port());
  }
  // Moves the clock on and lets the timer look, waiting for any check.
  void TimerFiresAfter(std::chrono::minutes minutes) {
    clock.now += minutes;
    AwaitClosing(desktop);
    window->CheckMailIfDue();
  }
  QTimer* Timer() const { return window->findChild<QTimer*>("mailCheckTimer"); }

  HandClock clock;
  std::vector<std::string> notices;
};

// Sets the option in the options window and saves.
void SaveOption(ui::OptionsDialog& options, std::optional<int> minutes) {
  auto* box = options.findChild<QCheckBox*>("mailCheckBox");
  auto* spin = options.findChild<QSpinBox*>("mailCheckMinutes");
  if (box->isChecked() != minutes.has_value()) box->click();
  EXPECT_EQ(spin->isEnabled(), minutes.has_value());
  if (minutes) spin->setValue(*minutes);
  options.saveButton->click();
}

// The file's text is the setting's own, tested beside it, and Cancel is the
// options window's; here Save sets or stops the timer at once.
TEST_F(PeriodicCheckWindowTest, TheOptionIsOffAtFirstAndSavingItSetsOrStopsTheTimer) {
  Start();
  EXPECT_FALSE(Timer()->isActive());
  Open<ui::OptionsDialog>(window->optionsAction, [](auto& options) { SaveOption(options, 10); });
  EXPECT_EQ(settings::ReadMailCheckMinutes(store.Folder()), 10);
  EXPECT_TRUE(Timer()->isActive());
  Open<ui::OptionsDialog>(window->optionsAction, [](auto& options) { SaveOption(options, std::nullopt); });
  EXPECT_EQ(settings::ReadMailCheckMinutes(store.Folder()), 0);
  EXPECT_FALSE(Timer()->isActive());
}

TEST_F(PeriodicCheckWindowTest, TheTimerChecksWhenDueKeepsWhatIsShownAndAnnouncesTheNewMail) {
  ScriptedServer server(Pop3Holding({"Harbour", "Lunch", "Papers"}));
  store.AddMessage("Sent", "Report", "sent text\r\n");
  StartWith(5, &server);
  window->sentButton->click();
  LeftClickRow(0);
  ASSERT_EQ(window->PaneText(), "sent text\r\n");

  // When a check is due is the schedule's, tested beside it.
  TimerFiresAfter(std::chrono::minutes(5));
  server.Finish();
  EXPECT_TRUE(server.mismatches.empty()) << server.mismatches.front();
  EXPECT_THAT(store.Subjects("In"), ElementsAre("Harbour", "Lunch", "Papers"));
  EXPECT_THAT(notices, ElementsAre("3 new messages"));
  EXPECT_EQ(Caption(), "Sent (1 msgs)") << "the box the person chose stays";
  EXPECT_EQ(window->PaneText(), "sent text\r\n") << "and so does the message";
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PeriodicCheckWindowTest, NoCheckRunsWhileAnotherWindowIsOpen) {
  StartWith(1, nullptr);
  clock.now += std::chrono::minutes(1);
  QDialog other(window.get());
  other.setModal(true);
  other.show();
  ASSERT_EQ(QApplication::activeModalWidget(), &other);
  window->CheckMailIfDue();
  EXPECT_TRUE(desktop.opened.empty());
}

// The person's own check shows its summary and the In box instead of a
// notice, and the window tells the schedule, so no periodic check follows.
TEST_F(PeriodicCheckWindowTest, ThePersonsOwnCheckShowsTheSummaryAndTheInBoxAndIsNotAnnounced) {
  ScriptedServer server(Pop3Holding({"Harbour"}));
  StartWith(1, &server);
  window->sentButton->click();
  clock.now += std::chrono::minutes(1);
  AwaitClosing(desktop);
  window->checkMailButton->click();
  server.Finish();
  EXPECT_TRUE(server.mismatches.empty()) << server.mismatches.front();
  EXPECT_THAT(desktop.opened, ElementsAre("CheckMailDialog"));
  EXPECT_EQ(window->statusLabel->text(), "1 New Message. 1 registered, 0 attachments and 0 registered as Junk.");
  EXPECT_EQ(Caption(), "InBox (1 msgs)");
  EXPECT_TRUE(notices.empty());
  window->CheckMailIfDue();
  EXPECT_EQ(desktop.opened.size(), 1u);
}

TEST_F(PeriodicCheckWindowTest, AFailedCheckTellsTheStatusLineInsteadOfAMessageBoxAndNoNotice) {
  StartWith(1, nullptr);
  window->Program().MailOptions.PopServer = "pop3://127.0.0.1:1";  // nobody listens: refused
  TimerFiresAfter(std::chrono::minutes(1));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_THAT(window->statusLabel->text().toStdString(),
              ::testing::StartsWith("No New Messages.  error with connecting server  "));
  EXPECT_TRUE(notices.empty());
}

TEST_F(PeriodicCheckWindowTest, WithoutTheDesktopsNotificationsTheStatusLineTellsOfTheNewMail) {
  ScriptedServer server(Pop3Holding({"Harbour"}));
  StartWith(1, &server, false);  // the window's own notifier, and no desktop bus in these tests
  TimerFiresAfter(std::chrono::minutes(1));
  server.Finish();
  EXPECT_EQ(window->statusLabel->text(), "1 new message");
  EXPECT_THAT(store.Subjects("In"), ElementsAre("Harbour"));
}

}  // namespace
}  // namespace ostrel::testing
