// The SMTP control against scripted servers: what is said on the wire and
// what the user is told when the server says no.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <memory>

#include "support/results.h"
#include "support/temp_folder.h"
#include "transport/curl_session.h"
#include "transport/curl_smtp_control.h"
#include "transport/scripted_server.h"

namespace ostrel::transport {
namespace {

using testing::FailureOf;
using testing::ScriptedServer;

// A whole session that takes one message for the recipients.
std::vector<std::string> AcceptedSend(const std::vector<std::string>& recipients = {"bob@example.test"}) {
  std::vector<std::string> rows = {"C: MAIL FROM:<alice@example.test>", "S: 250 ok"};
  for (const auto& recipient : recipients) rows.insert(rows.end(), {"C: RCPT TO:<" + recipient + ">", "S: 250 ok"});
  rows.insert(rows.end(), {"C: DATA", "S: 354 go on", "C: <DATA>", "S: 250 queued", "C: QUIT", "S: 221 bye"});
  return ScriptedServer::SmtpGreeting(rows);
}

OutgoingMail Mail(std::string recipient = "bob@example.test") {
  return {std::move(recipient), "alice@example.test", "Test", "8F3A\r\nB2C4", ""};
}

// The reason the send failed, "" when the server took the message.
std::string Send(const std::string& server, const OutgoingMail& mail, const std::string& login = "") {
  testing::TempFolder folder;
  return FailureOf(SendMail({server, login, login.empty() ? "" : "pw\r\nRSET"}, mail, folder.Path(), nullptr));
}

TEST(SmtpScript, EachRecipientBecomesAnEnvelopeRecipient) {
  ScriptedServer server(AcceptedSend({"bob@example.test", "carol@example.test"}));
  EXPECT_EQ(Send(server.Url("smtp"), Mail("bob@example.test;Carol <carol@example.test>")), "");
  server.ExpectPlayed();
  ASSERT_EQ(server.data.size(), 1u);
  EXPECT_NE(server.data[0].find("\r\n8F3A\r\nB2C4\r\n"), std::string::npos) << "the text goes out as it is";
}

// Without a scheme STARTTLS is required: a server that does not offer it is
// left after EHLO, and the message never goes out in plain text.
TEST(SmtpScript, WhatTheServerRefusesOrLacksIsNamedInPlainWords) {
  std::vector<std::string> tooLarge = AcceptedSend();
  tooLarge[tooLarge.size() - 3] = "S: 552 5.3.4 Message size exceeds fixed limit";
  struct Case {
    std::vector<std::string> rows;
    const char* scheme;
    std::string recipient;
    std::string error;
  };
  const Case cases[] = {
      {ScriptedServer::SmtpGreeting({"C: MAIL FROM:<alice@example.test>", "S: 250 ok",
                                     "C: RCPT TO:<nobody@example.test>", "S: 550 5.1.1 no such user", "C: QUIT",
                                     "S: 221 bye"}),
       "smtp", "nobody@example.test", "The mail server refused a recipient of the message (reply 550)."},
      {tooLarge, "smtp", "bob@example.test", "The message is too large for the mail server."},
      {ScriptedServer::SmtpGreeting({}), "", "bob@example.test",
       "The mail server does not offer STARTTLS, so the connection was not made without encryption."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    ScriptedServer server(c.rows);
    EXPECT_EQ(Send(server.Url(c.scheme), Mail(c.recipient)), c.error);
    server.ExpectPlayed();
  }
}

TEST(SmtpScript, ALoginWithALineBreakFailsBeforeAnyExchange) {
  EXPECT_EQ(Send("smtp://127.0.0.1:1", Mail(), "alice"), kLineBreakInLogin);
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
  control->SetServer(server.Url("smtp"));
  control->SetRecipient("bob@example.test");
  control->SetSender("alice@example.test");
  control->SetSubject("Test");
  control->SetMessageText("hello");
  control->Send();
  EXPECT_EQ(ended.get_future().wait_for(std::chrono::seconds(20)), std::future_status::ready);
  EXPECT_EQ(errors, 0);
  EXPECT_GT(lastProgress, 0u);
  server.ExpectPlayed();
}

}  // namespace
}  // namespace ostrel::transport
