// The SMTP control against scripted servers: what is said on the wire and
// what the user is told when the server says no.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>

#include "support/temp_folder.h"
#include "transport/curl_session.h"
#include "transport/curl_smtp_control.h"
#include "transport/scripted_server.h"

namespace ostrel::transport {
namespace {

using testing::ScriptedServer;

std::vector<std::string> Greeting() {
  return {"S: 220 mail.example.test ready", "C: EHLO *", "S: 250-mail.example.test", "S: 250 8BITMIME"};
}

std::vector<std::string> Plus(std::vector<std::string> rows, const std::vector<std::string>& more) {
  rows.insert(rows.end(), more.begin(), more.end());
  return rows;
}

// A whole session that takes one message for the recipients.
std::vector<std::string> AcceptedSend(const std::vector<std::string>& recipients = {"bob@example.test"}) {
  std::vector<std::string> rows = Greeting();
  rows.insert(rows.end(), {"C: MAIL FROM:<alice@example.test>", "S: 250 ok"});
  for (const auto& recipient : recipients) rows.insert(rows.end(), {"C: RCPT TO:<" + recipient + ">", "S: 250 ok"});
  rows.insert(rows.end(), {"C: DATA", "S: 354 go on", "C: <DATA>", "S: 250 queued", "C: QUIT", "S: 221 bye"});
  return rows;
}

// A control pointed at the server, with the fields every send needs.
void Address(CurlSmtpControl& control, const ScriptedServer& server) {
  control.SetServer("smtp://127.0.0.1:" + std::to_string(server.Port()));
  control.SetRecipient("bob@example.test");
  control.SetSender("alice@example.test");
}

OutgoingMail Mail(std::string recipient = "bob@example.test") {
  return {std::move(recipient), "alice@example.test", "Test", "8F3A\r\nB2C4", ""};
}

std::optional<std::string> Send(const ScriptedServer& server, const OutgoingMail& mail,
                                const std::string& scheme = "smtp://") {
  testing::TempFolder folder;
  return SendMail({scheme + "127.0.0.1:" + std::to_string(server.Port()), "", ""}, mail,
                  folder.Path(), nullptr);
}

void ExpectScriptDone(ScriptedServer& server) {
  server.Finish();
  EXPECT_TRUE(server.mismatches.empty()) << server.mismatches.front();
  EXPECT_TRUE(server.Consumed()) << "stopped at " << server.NextRow();
}

TEST(SmtpScript, EachRecipientBecomesAnEnvelopeRecipient) {
  ScriptedServer server(AcceptedSend({"bob@example.test", "carol@example.test"}));
  EXPECT_EQ(Send(server, Mail("bob@example.test;Carol <carol@example.test>")), std::nullopt);
  ExpectScriptDone(server);
  ASSERT_EQ(server.data.size(), 1u);
  EXPECT_NE(server.data[0].find("To: bob@example.test, Carol <carol@example.test>\r\n"),
            std::string::npos)
      << server.data[0];
  EXPECT_NE(server.data[0].find("\r\n8F3A\r\nB2C4\r\n"), std::string::npos);
}

TEST(SmtpScript, ARefusedRecipientIsNamedInPlainWords) {
  ScriptedServer server(Plus(Greeting(), {
      "C: MAIL FROM:<alice@example.test>", "S: 250 ok",
      "C: RCPT TO:<nobody@example.test>", "S: 550 5.1.1 no such user",
      "C: QUIT", "S: 221 bye"}));
  const auto error = Send(server, Mail("nobody@example.test"));
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(*error, "The mail server refused a recipient of the message (reply 550).");
  ExpectScriptDone(server);
}

TEST(SmtpScript, AMessageTooLargeSaysSo) {
  std::vector<std::string> rows = AcceptedSend();
  rows[rows.size() - 3] = "S: 552 5.3.4 Message size exceeds fixed limit";
  ScriptedServer server(rows);
  EXPECT_EQ(Send(server, Mail()), "The message is too large for the mail server.");
  ExpectScriptDone(server);
}

TEST(SmtpScript, MissingStartTlsIsAnErrorNotAFallBackToPlainText) {
  ScriptedServer server(Plus(Greeting(), {"C: QUIT", "S: 221 bye"}));
  EXPECT_EQ(Send(server, Mail(), ""),
            "The mail server does not offer STARTTLS, so the connection was not made without encryption.");
  server.Finish();
  EXPECT_TRUE(server.data.empty()) << "nothing of the message went out";
}

TEST(SmtpScript, AnUnreachableServerOrALoginWithALineBreakFailsBeforeAnyExchange) {
  int port = 0;
  { port = ScriptedServer({}).Port(); }
  testing::TempFolder folder;
  EXPECT_EQ(SendMail({"smtp://127.0.0.1:" + std::to_string(port), "", ""}, Mail(), folder.Path(), nullptr),
            "The mail server 127.0.0.1 (port " + std::to_string(port) + ") cannot be reached.");
  EXPECT_EQ(SendMail({"smtp://127.0.0.1:1", "alice", "pw\r\nRSET"}, Mail(), folder.Path(), nullptr),
            kLineBreakInLogin);
}

// The events come from the control's own thread, and the completion event
// may end the control.
TEST(SmtpScript, TheControlReportsThroughItsEventsAndMayBeEndedFromThem) {
  ScriptedServer server(AcceptedSend());
  testing::TempFolder folder;
  auto control = std::make_unique<CurlSmtpControl>(folder.Path());
  std::promise<void> ended;
  std::atomic<int> errors{0};
  std::atomic<std::uint64_t> lastProgress{0};
  control->SetEvents({[&] {
                        control.reset();
                        ended.set_value();
                      },
                      [&](const std::string&) { ++errors; },
                      [&](std::uint64_t sent, std::uint64_t) { lastProgress = sent; }});
  Address(*control, server);
  control->SetSubject("Test");
  control->SetMessageText("hello");
  control->Send();
  EXPECT_EQ(ended.get_future().wait_for(std::chrono::seconds(20)), std::future_status::ready);
  EXPECT_EQ(errors, 0);
  EXPECT_GT(lastProgress, 0u);
  ExpectScriptDone(server);
}

TEST(SmtpScript, ErrorsBeforeAnyConnectionArriveAsTheErrorEvent) {
  testing::TempFolder folder;
  CurlSmtpControl control(folder.Path());
  std::string error;
  bool completed = false;
  control.SetEvents({[&] { completed = true; }, [&](const std::string& text) { error = text; }, nullptr});
  control.SetServer("smtp://127.0.0.1:1");
  control.SetRecipient("bob@example.test");
  control.SetSender("alice@example.test");
  control.SetAttachmentList("/no/such/attachment.enc");
  control.Send();
  control.Wait();
  EXPECT_FALSE(completed);
  EXPECT_EQ(error, "The attachment \"/no/such/attachment.enc\" cannot be read.");
}

}  // namespace
}  // namespace ostrel::transport
