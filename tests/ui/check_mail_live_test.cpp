// Check Mail from the main window against the local Dovecot: a message
// delivered through Postfix to a fresh mailbox is filed into the In box.

#include <chrono>
#include <future>

#include "live_account.h"
#include "mail_servers.h"
#include "transport/curl_pop3_connection.h"
#include "transport/curl_smtp_control.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

class CheckMailLiveTest : public LiveWindowTest {
 protected:
  void SetUp() override { SetUpAccount("checkmail", true); }

  // Sends one message to the fresh mailbox and waits until Dovecot has it.
  void Deliver(const std::string& subject) {
    transport::CurlSmtpControl control(store.Folder());
    std::promise<std::string> outcome;
    control.SetServer(servers_.Endpoint(servers_.submissionPort));
    control.SetLogin(address_, servers_.PasswordOf(address_));
    control.SetSender(address_);
    control.SetRecipient(address_);
    control.SetSubject(subject);
    control.SetMessageText("8F3A\r\n");
    control.SetEvents({[&] { outcome.set_value(""); }, [&](const std::string& text) { outcome.set_value(text); }, {}});
    control.Send();
    auto done = outcome.get_future();
    ASSERT_EQ(done.wait_for(std::chrono::seconds(30)), std::future_status::ready);
    ASSERT_EQ(done.get(), "");
    ASSERT_TRUE(WaitForMail(store.Folder(), servers_, address_)) << "the message never reached the mailbox";
  }

};

TEST_F(CheckMailLiveTest, CheckMailFromTheMainWindowFilesTheMessageInTheInBox) {
  ASSERT_NO_FATAL_FAILURE(Deliver("Live harbour"));
  Start();
  desktop.onModal.push_back([](QDialog& dialog) {
    EXPECT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.isVisible(); }, 60000));
  });
  window->checkMailButton->click();

  EXPECT_THAT(desktop.opened, ElementsAre("CheckMailDialog"));
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front().text;
  EXPECT_THAT(store.Subjects("In"), ElementsAre("Live harbour"));

  transport::CurlPop3Connection connection(store.Folder());
  ASSERT_TRUE(connection.Connect(servers_.Endpoint(servers_.pop3Port), address_, servers_.PasswordOf(address_)));
  const auto total = connection.GetTotalOfMails();
  ASSERT_TRUE(total) << total.Reason();
  EXPECT_EQ(*total, 0) << "deleted on the server, as the options ask";
  connection.Disconnect();
}

}  // namespace
}  // namespace ostrel::testing
