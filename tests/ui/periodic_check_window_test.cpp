// The periodic mail check: its option in the options window (a file of its
// own), the timer's check on a clock the test moves, never over another
// window, keeping what the person looks at, and the notice of new mail.

#include <QTimer>

#include "settings/accounts.h"
#include "settings/mail_check_interval.h"
#include "settings/mail_options.h"
#include "support/folder_contents.h"
#include "transport/scripted_server.h"
#include "ui/options_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

constexpr int kPatienceMs = 20000;

using ::testing::IsEmpty;

// Names of the files that one folder lacks or holds other bytes in.
std::vector<std::string> DifferingFiles(const FolderContents& one, const FolderContents& other) {
  std::vector<std::string> names;
  for (const auto& [name, bytes] : one) {
    const auto found = other.find(name);
    if (found == other.end() || found->second != bytes) names.push_back(name);
  }
  for (const auto& [name, bytes] : other) {
    if (!one.contains(name)) names.push_back(name);
  }
  return names;
}

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

// A POP3 server holding these subjects, as the real connection talks to it.
std::vector<std::string> ServerHolding(const std::vector<std::string>& subjects) {
  const std::string count = std::to_string(subjects.size());
  std::vector<std::string> script{"S: +OK ready", "C: CAPA",        "S: +OK", "S: USER", "S: UIDL", "S: .",
                                  "C: USER bob",  "S: +OK",         "C: PASS secret", "S: +OK logged in",
                                  "C: STAT",      "S: +OK " + count + " 120"};
  if (!subjects.empty()) {
    script.insert(script.end(), {"C: LIST", "S: +OK"});
    for (std::size_t i = 1; i <= subjects.size(); ++i) script.push_back("S: " + std::to_string(i) + " 120");
    script.insert(script.end(), {"S: .", "C: UIDL", "S: +OK"});
    for (std::size_t i = 1; i <= subjects.size(); ++i) {
      script.push_back("S: " + std::to_string(i) + " u-" + std::to_string(i));
    }
    script.push_back("S: .");
    for (std::size_t i = 1; i <= subjects.size(); ++i) {
      script.insert(script.end(), {"C: RETR " + std::to_string(i), "S: +OK", "S: From: alice@example.org",
                                   "S: To: bob@example.org", "S: Subject: " + subjects[i - 1],
                                   "S: Date: Sun, 6 Dec 2026 10:00:00 +0000", "S: ", "S: 8F3A", "S: ."});
    }
  }
  script.insert(script.end(), {"C: QUIT", "S: +OK bye"});
  return script;
}

class PeriodicCheckWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    WriteDefaultKey(store.Folder());
  }
  // The window over the hand clock and the recording notifier, its account
  // pointed at the server (in memory only, as "email.opt" names no port).
  void StartWith(int minutes, const ScriptedServer* server = nullptr) {
    settings::WriteMailCheckMinutes(store.Folder(), minutes);
    Start();
    window->UseMailCheckClock(clock);
    window->UseNewMailNotifier(std::make_unique<RecordingNotifier>(notices));
    if (server != nullptr) Account(*window, *server);
  }
  static void Account(ui::MainWindow& main, const ScriptedServer& server) {
    main.Program().MailOptions.PopServer = "pop3://127.0.0.1:" + std::to_string(server.Port());
    main.Program().MailOptions.UserName = "bob";
    main.Program().MailOptions.Password = "secret";
  }
  // The next receiving window is waited for until it closes itself.
  static void AwaitReceivingWindow(ScriptedDesktop& on) {
    on.onModal.push_back([](QDialog& dialog) {
      EXPECT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.isVisible(); }, kPatienceMs));
    });
  }
  QTimer* Timer() const { return window->findChild<QTimer*>("mailCheckTimer"); }

  HandClock clock;
  std::vector<std::string> notices;
};

TEST_F(PeriodicCheckWindowTest, TheOptionIsOffAtFirstAndSavedInItsOwnFileLeavingTheSettingsFilesAsTheyWere) {
  Start();
  EXPECT_FALSE(Timer()->isActive());
  Open<ui::OptionsDialog>(window->optionsAction, [](auto& options) {
    auto* box = options.template findChild<QCheckBox*>("mailCheckBox");
    auto* minutes = options.template findChild<QSpinBox*>("mailCheckMinutes");
    ASSERT_NE(box, nullptr);
    ASSERT_NE(minutes, nullptr);
    EXPECT_EQ(box->text(), "Check for mail every");
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(minutes->isEnabled());
    EXPECT_EQ(minutes->value(), 15);
    options.saveButton->click();
  });
  EXPECT_FALSE(std::filesystem::exists(store / "mailcheck.ini"));
  const std::string optionsFile = ReadBytes(store / "email.opt");
  const std::string accountsFile = ReadBytes(store / "accounts.dat");
  ASSERT_EQ(std::count(optionsFile.begin(), optionsFile.end(), '\n'), 14);

  Open<ui::OptionsDialog>(window->optionsAction, [](auto& options) {
    options.template findChild<QCheckBox*>("mailCheckBox")->click();
    auto* minutes = options.template findChild<QSpinBox*>("mailCheckMinutes");
    EXPECT_TRUE(minutes->isEnabled());
    minutes->setValue(10);
    options.saveButton->click();
  });
  EXPECT_EQ(ReadBytes(store / "mailcheck.ini"), "[MailCheck]\nEveryMinutes=10\n");
  EXPECT_EQ(ReadBytes(store / "email.opt"), optionsFile);
  EXPECT_EQ(ReadBytes(store / "accounts.dat"), accountsFile);
  EXPECT_TRUE(Timer()->isActive()) << "the main window takes the new interval at once";

  Open<ui::OptionsDialog>(window->optionsAction, [](auto& options) {
    EXPECT_TRUE(options.template findChild<QCheckBox*>("mailCheckBox")->isChecked());
    EXPECT_EQ(options.template findChild<QSpinBox*>("mailCheckMinutes")->value(), 10);
    options.template findChild<QCheckBox*>("mailCheckBox")->click();
    options.cancelButton->click();  // Cancel keeps the check
  });
  EXPECT_EQ(settings::ReadMailCheckMinutes(store.Folder()), 10);
  Open<ui::OptionsDialog>(window->optionsAction, [](auto& options) {
    options.template findChild<QCheckBox*>("mailCheckBox")->click();
    options.saveButton->click();
  });
  EXPECT_EQ(settings::ReadMailCheckMinutes(store.Folder()), 0);
  EXPECT_FALSE(Timer()->isActive());
  EXPECT_EQ(ReadBytes(store / "email.opt"), optionsFile);
}

TEST_F(PeriodicCheckWindowTest, TheTimerChecksWhenDueKeepsWhatIsShownAndAnnouncesTheNewMail) {
  ScriptedServer server(ServerHolding({"Harbour", "Lunch", "Papers"}));
  store.AddMessage("Sent", "Report", "sent text\r\n");
  StartWith(5, &server);
  ASSERT_TRUE(Timer()->isActive());
  EXPECT_EQ(Timer()->interval(), 5 * 60 * 1000);
  window->sentButton->click();
  LeftClickRow(0);
  ASSERT_EQ(window->PaneText(), "sent text\r\n");

  clock.now += std::chrono::minutes(4);
  window->CheckMailIfDue();
  EXPECT_TRUE(desktop.opened.empty()) << "not due yet";
  EXPECT_EQ(Timer()->interval(), 60 * 1000);

  clock.now += std::chrono::minutes(1);
  AwaitReceivingWindow(desktop);
  window->CheckMailIfDue();
  server.Finish();
  EXPECT_TRUE(server.mismatches.empty()) << server.mismatches.front();
  EXPECT_THAT(desktop.titles, ElementsAre("Check Mail"));
  EXPECT_THAT(store.Subjects("In"), ElementsAre("Harbour", "Lunch", "Papers"));
  EXPECT_THAT(notices, ElementsAre("3 new messages"));
  EXPECT_EQ(window->statusLabel->text(), " 3 New Messages. 3 registered, 0 attachments and 0 registered as Junk.");
  EXPECT_EQ(Caption(), "Sent (1 msgs)") << "the box the person chose stays";
  EXPECT_EQ(window->PaneText(), "sent text\r\n") << "and so does the message";
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(Timer()->interval(), 5 * 60 * 1000) << "the next check is a whole interval away";
}

TEST_F(PeriodicCheckWindowTest, NoCheckRunsWhileAnotherWindowIsOpenAndThePersonsOwnCheckCountsAsOne) {
  ScriptedServer server(ServerHolding({"Harbour"}));
  StartWith(1, &server);
  clock.now += std::chrono::minutes(1);
  {
    QDialog other(window.get());
    other.setModal(true);
    other.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &other);
    window->CheckMailIfDue();
    EXPECT_TRUE(desktop.opened.empty());
    EXPECT_EQ(Timer()->interval(), 10 * 1000) << "asks again soon";
  }
  AwaitReceivingWindow(desktop);
  window->checkMailAction->trigger();  // the person checks first
  server.Finish();
  EXPECT_THAT(desktop.titles, ElementsAre("Check Mail"));
  EXPECT_TRUE(notices.empty()) << "the person saw the check";
  EXPECT_EQ(Caption(), "InBox (1 msgs)");
  window->CheckMailIfDue();
  EXPECT_EQ(desktop.opened.size(), 1u) << "the person's check put the next one a minute away";
  EXPECT_EQ(Timer()->interval(), 60 * 1000);
}

TEST_F(PeriodicCheckWindowTest, AFailedCheckTellsTheStatusLineInsteadOfAMessageBoxAndNoMailNoNotice) {
  StartWith(1);
  // A port nobody listens on: the connection is refused.
  window->Program().MailOptions.PopServer = "pop3://127.0.0.1:1";
  clock.now += std::chrono::minutes(1);
  AwaitReceivingWindow(desktop);
  window->CheckMailIfDue();
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_THAT(window->statusLabel->text().toStdString(),
              ::testing::StartsWith("No New Messages.  error with connecting server  "));
  EXPECT_TRUE(notices.empty());
}

TEST_F(PeriodicCheckWindowTest, WithoutTheDesktopsNotificationsTheStatusLineTellsOfTheNewMail) {
  ScriptedServer server(ServerHolding({"Harbour"}));
  settings::WriteMailCheckMinutes(store.Folder(), 1);
  Start();  // the window's own notifier, and no desktop bus in these tests
  window->UseMailCheckClock(clock);
  Account(*window, server);
  clock.now += std::chrono::minutes(1);
  AwaitReceivingWindow(desktop);
  window->CheckMailIfDue();
  server.Finish();
  EXPECT_EQ(window->statusLabel->text(), "1 new message");
  EXPECT_THAT(store.Subjects("In"), ElementsAre("Harbour"));
}

// Two program folders alike, one checked by the person and one by the timer,
// end alike: the periodic check stores nothing of its own but its setting.
TEST(PeriodicCheckFilesTest, ATimersCheckLeavesTheFolderAsThePersonsCheckDoes) {
  FolderContents afterCheck[2];
  for (const bool periodic : {false, true}) {
    SCOPED_TRACE(periodic ? "timer" : "person");
    StoreFolder folder;
    WriteSettings(folder.Folder());
    WriteBytes(folder / "opt.dne", "Done\r\n");
    WriteDefaultKey(folder.Folder());
    if (periodic) settings::WriteMailCheckMinutes(folder.Folder(), 2);
    RecordingDialogs dialogs;
    ScriptedDesktop desktop;
    HandClock clock;
    ScriptedServer server(ServerHolding({"Harbour", "Lunch"}));
    {
      ui::MainWindow window(folder.Folder(), dialogs, desktop);
      window.Load();
      window.show();
      window.Activate();
      window.UseMailCheckClock(clock);
      std::vector<std::string> notices;
      window.UseNewMailNotifier(std::make_unique<RecordingNotifier>(notices));
      window.Program().MailOptions.PopServer = "pop3://127.0.0.1:" + std::to_string(server.Port());
      window.Program().MailOptions.UserName = "bob";
      window.Program().MailOptions.Password = "secret";
      desktop.onModal.push_back([](QDialog& dialog) {
        EXPECT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.isVisible(); }, kPatienceMs));
      });
      if (periodic) {
        clock.now += std::chrono::minutes(2);
        window.CheckMailIfDue();
      } else {
        window.checkMailAction->trigger();
      }
      server.Finish();
      EXPECT_EQ(notices.size(), periodic ? 1u : 0u);
      FolderContents& after = afterCheck[periodic ? 1 : 0];
      after = ReadFolderContents(folder.Folder());
      // The list of messages already filed names the server, whose port
      // differs between the two runs.
      std::string& ids = after["uidl.dat"];
      const std::string address = window.Program().MailOptions.PopServer;
      for (auto at = ids.find(address); at != std::string::npos; at = ids.find(address, at)) {
        ids.replace(at, address.size(), "SERVER");
      }
    }
  }
  EXPECT_EQ(afterCheck[1].erase("mailcheck.ini"), 1u);
  EXPECT_THAT(DifferingFiles(afterCheck[0], afterCheck[1]), IsEmpty());
  EXPECT_EQ(afterCheck[0].size(), afterCheck[1].size());
  EXPECT_EQ(afterCheck[0].count("In/MSG2.txt"), 1u);
}

}  // namespace
}  // namespace ostrel::testing
