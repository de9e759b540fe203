// The receiving window: its texts and progress while the mail comes in on
// a thread of its own, message boxes on the user-interface thread, Cancel,
// and the main window's summary after a check.

#include <atomic>
#include <semaphore>

#include "keys/key_store.h"
#include "transport/fake_pop3_connection.h"
#include "transport/outgoing_mail.h"
#include "ui/check_mail_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

constexpr int kPatienceMs = 20000;

bool OnUiThread() { return QThread::currentThread() == QApplication::instance()->thread(); }

// Notes every call that did not come on the user-interface thread.
class ThreadNotingDialogs : public RecordingDialogs {
 public:
  void Show(const base::MessageBox& box) override {
    if (!OnUiThread()) ++offThread;
    RecordingDialogs::Show(box);
  }
  void SetStatus(std::string_view text) override {
    if (!OnUiThread()) ++offThread;
    RecordingDialogs::SetStatus(text);
  }
  std::atomic<int> offThread = 0;
};

// A server that holds one message back until the test lets it go.
class HoldingPop3 : public transport::FakePop3Connection {
 public:
  base::Result<std::string> Retrieve(int number) override {
    if (number == holdAt) {
      reached = true;
      released_.acquire();
    }
    return FakePop3Connection::Retrieve(number);
  }
  void Release() { released_.release(); }

  int holdAt = 0;
  std::atomic<bool> reached = false;

 private:
  std::counting_semaphore<> released_{0};
};

class CheckMailWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    WriteDefaultKey(store.Folder());
    Start();
    window->Program().MailOptions.UserName = "user";
    window->Program().MailOptions.Password = "password";
    auto connection = std::make_unique<HoldingPop3>();
    server = connection.get();
    checkMail = std::make_unique<ui::CheckMailDialog>(window->Program(), mainDialogs, std::move(connection), nullptr);
  }
  void TearDown() override {
    server->Release();
    checkMail.reset();
  }

  void AddMail(int count) {
    for (int i = 1; i <= count; ++i) {
      auto built =
          transport::BuildMessage({"bob@example.org", "alice@example.org", "m" + std::to_string(i), "8F3A", ""});
      server->mailbox.push_back({"id" + std::to_string(i), built->bytes});
    }
  }
  bool Closed() {
    return QTest::qWaitFor([this] { return !checkMail->isVisible(); }, kPatienceMs);
  }

  ThreadNotingDialogs mainDialogs;
  HoldingPop3* server = nullptr;
  std::unique_ptr<ui::CheckMailDialog> checkMail;
};

TEST_F(CheckMailWindowTest, ShowsEachStepAndTheMainStatusLineFollowsOnTheUserInterfaceThread) {
  AddMail(3);
  checkMail->show();
  ASSERT_TRUE(Closed());
  EXPECT_EQ(checkMail->result(), QDialog::Accepted);
  EXPECT_THAT(mainDialogs.statuses, ElementsAre("Connecting...", "Downloading 1 of 3", "Downloading 2 of 3",
                                                "Downloading 3 of 3", "Disconnecting..."));
  EXPECT_EQ(mainDialogs.offThread, 0);
}

TEST_F(CheckMailWindowTest, ARefusedLoginIsShownOnTheUserInterfaceThreadAndTheWindowCloses) {
  AddMail(1);
  window->Program().MailOptions.Password = "wrong";
  checkMail->show();
  ASSERT_TRUE(Closed());
  EXPECT_EQ(mainDialogs.shown.size(), 1u);
  EXPECT_EQ(mainDialogs.offThread, 0);
}

TEST_F(CheckMailWindowTest, CancelKeepsWhatWasFiledAndDeletesNothingOnTheServer) {
  AddMail(4);
  window->Program().MailOptions.DeleteOnServer = true;
  server->holdAt = 2;
  checkMail->show();
  ASSERT_TRUE(QTest::qWaitFor([this] { return server->reached.load(); }, kPatienceMs));
  checkMail->cancelButton->click();
  EXPECT_TRUE(checkMail->isVisible()) << "the window waits for the message in hand";
  EXPECT_FALSE(checkMail->cancelButton->isEnabled());
  checkMail->close();
  EXPECT_TRUE(checkMail->isVisible()) << "the close box does not leave the retrieval running unseen";
  server->Release();
  ASSERT_TRUE(Closed());

  EXPECT_THAT(store.Subjects("In"), ElementsAre("m1", "m2"));
  EXPECT_TRUE(server->deleteRequests.empty());
}

// The main window's check over the real connection, against a scripted
// server, is in the periodic check's tests.
using MainWindowCheckMailTest = MainWindowTest;

TEST_F(MainWindowCheckMailTest, WithoutADefaultKeyNothingOpensAndNothingIsFetched) {
  keys::WriteKeys(store.Folder(), {{"Only", kTestKey, false}});
  Start();
  window->checkMailAction->trigger();
  EXPECT_THAT(dialogs.ShownTexts(),
              ElementsAre("No default Key has been defined.  You cannot check mail until you have defined one."));
  EXPECT_TRUE(desktop.opened.empty());
}

}  // namespace
}  // namespace ostrel::testing
