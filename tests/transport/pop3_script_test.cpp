// The POP3 connection against scripted servers: the faults that real
// servers do not produce on demand.
#include <gtest/gtest.h>

#include "support/results.h"
#include "support/temp_folder.h"
#include "transport/curl_pop3_connection.h"
#include "transport/curl_session.h"
#include "transport/scripted_server.h"

namespace ostrel::transport {
namespace {

using testing::FailureOf;
using testing::ScriptedServer;
using testing::ValueOf;

constexpr const char* kLost = "The connection to the mail server was lost.";

class Pop3Script : public ::testing::Test {
 protected:
  // Connects as bob to a server playing the rows after the login.
  ScriptedServer& Open(const std::vector<std::string>& rows) {
    server_.emplace(ScriptedServer::Pop3LoggedIn(rows));
    EXPECT_EQ(FailureOf(connection_.Connect(server_->Url("pop3"), "bob", "secret")), "");
    return *server_;
  }

  testing::TempFolder folder_;
  CurlPop3Connection connection_{folder_.Path(), std::chrono::seconds(5)};
  std::optional<ScriptedServer> server_;
};

TEST_F(Pop3Script, FullSessionReadsCountsSizesIdsAndUnstuffsDots) {
  auto& server = Open({"C: STAT", "S: +OK 2 320",
                       "C: LIST", "S: +OK 2 messages", "S: 1 120", "S: 2 200", "S: .",
                       "C: UIDL", "S: +OK", "S: 1 abc-1", "S: 2 abc-2", "S: .",
                       "C: RETR 1", "S: +OK 120 octets", "S: Subject: one", "S: ", "S: ..leading dot", "S: last",
                       "S: .",
                       "C: QUIT", "S: +OK bye"});
  EXPECT_EQ(ValueOf(connection_.GetTotalOfMails()), 2);
  EXPECT_EQ(ValueOf(connection_.GetMsgSize(1)), 120);
  EXPECT_EQ(ValueOf(connection_.GetMsgId(1)), "abc-1");
  EXPECT_EQ(ValueOf(connection_.GetMsgSize(2)), 200);
  EXPECT_EQ(ValueOf(connection_.GetMsgId(2)), "abc-2");
  EXPECT_EQ(FailureOf(connection_.GetMsgSize(3)), "The mail server has no message 3.");
  EXPECT_EQ(FailureOf(connection_.GetMsgId(3)), "The mail server gave no identifier for message 3.");
  EXPECT_EQ(ValueOf(connection_.Retrieve(1)), "Subject: one\r\n\r\n.leading dot\r\nlast\r\n");
  EXPECT_EQ(FailureOf(connection_.Disconnect()), "");
  server.ExpectPlayed();
}

// Listings are taken line by line and only as far as a mailbox is believed to
// reach; what goes beyond breaks the session, so nothing can be deleted.
TEST_F(Pop3Script, ListingsBeyondBeliefEndTheSession) {
  std::string endlessList = "S: 1 100";
  for (int line = 1; line <= kMostMessages; ++line) endlessList += "\r\n1 100";
  struct Case {
    std::vector<std::string> rows;
    std::string error;
  };
  const Case cases[] = {
      {{"C: LIST", "S: +OK", endlessList, "S: ."},
       "The mail server's answer to LIST is not believable: it lists more than 1000000 messages."},
      {{"C: LIST", "S: +OK", "S: 1 100", "S: .", "C: UIDL", "S: +OK", "S: 1 " + std::string(71, 'x'), "S: ."},
       "The mail server's answer to UIDL is not believable: an identifier is longer than 70 characters."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    auto& server = Open(c.rows);
    EXPECT_EQ(FailureOf(connection_.GetMsgSize(1)), c.error);
    EXPECT_EQ(FailureOf(connection_.GetMsgId(1)), c.error);
    EXPECT_EQ(FailureOf(connection_.Disconnect()), c.error) << "no QUIT after an answer that was not believed";
    server.ExpectPlayed(false);
  }
  // Seventy characters are still an identifier.
  auto& server = Open({"C: LIST", "S: +OK", "S: 1 100", "S: .", "C: UIDL", "S: +OK", "S: 1 " + std::string(70, 'x'),
                       "S: .", "C: QUIT", "S: +OK"});
  EXPECT_EQ(ValueOf(connection_.GetMsgId(1)), std::string(70, 'x'));
  EXPECT_EQ(FailureOf(connection_.Disconnect()), "");
  server.ExpectPlayed();
}

// Deletions count only after an accepted QUIT: a refused DELE leaves the
// others, a cut line loses them all (a refused QUIT fails as the DELE does),
// and nothing more goes over a broken line.
TEST_F(Pop3Script, DeletionsHoldOnlyUntilTheSessionEndsWell) {
  auto& refused = Open({"C: STAT", "S: +OK 3 300", "C: DELE 1", "S: +OK marked", "C: DELE 2",
                        "S: -ERR message is locked", "C: DELE 3", "S: +OK marked", "C: QUIT", "S: +OK 2 deleted"});
  EXPECT_EQ(ValueOf(connection_.GetTotalOfMails()), 3);
  EXPECT_EQ(FailureOf(connection_.Delete(1)), "");
  EXPECT_EQ(FailureOf(connection_.Delete(2)), "The mail server refused \"DELE\": message is locked");
  EXPECT_EQ(FailureOf(connection_.Delete(3)), "");
  EXPECT_EQ(FailureOf(connection_.Disconnect()), "");
  refused.ExpectPlayed();

  auto& cut = Open({"C: STAT", "S: +OK 2 300", "C: RETR 1", "S: +OK", "S: Subject: one", "S: ", "S: body", "S: .",
                    "C: RETR 2", "S: +OK", "S: Subject: two", "S: ", "S: half a bo", "CLOSE"});
  EXPECT_EQ(ValueOf(connection_.GetTotalOfMails()), 2);
  EXPECT_EQ(ValueOf(connection_.Retrieve(1)), "Subject: one\r\n\r\nbody\r\n");
  EXPECT_EQ(FailureOf(connection_.Retrieve(2)), kLost);
  EXPECT_EQ(FailureOf(connection_.Delete(1)), kLost);
  EXPECT_EQ(FailureOf(connection_.Disconnect()), kLost);
  cut.ExpectPlayed();
}

// A server whose capabilities list PIPELINING sees the retrievals announced
// before it has answered the first (a message of 3 MB only when its turn
// comes); each answer still goes to its own message, and a cut line loses
// only the messages not yet received.
TEST_F(Pop3Script, RetrievalsGoAheadOfTheirAnswersWhereTheServerListsPipelining) {
  const auto pipelining = [](const std::vector<std::string>& rows) {
    auto script = ScriptedServer::Pop3LoggedIn(rows);
    script.insert(script.begin() + 5, "S: PIPELINING");  // into the CAPA list
    return script;
  };
  const std::vector<std::string> listed = {"C: LIST", "S: +OK",  "S: 1 10", "S: 2 10", "S: 3 10", "S: 4 3000000",
                                           "S: .",    "C: UIDL", "S: +OK",  "S: ."};
  auto rows = listed;
  rows.insert(rows.end(), {"C: RETR 1", "C: RETR 2", "C: RETR 3", "S: +OK", "S: one", "S: .", "S: -ERR gone",
                           "S: +OK", "S: three", "S: .", "C: QUIT", "S: +OK"});
  ScriptedServer refused(pipelining(rows));
  ASSERT_EQ(FailureOf(connection_.Connect(refused.Url("pop3"), "bob", "secret")), "");
  EXPECT_EQ(ValueOf(connection_.GetMsgSize(3)), 10);
  connection_.WillRetrieve({1, 2, 3, 4});
  EXPECT_EQ(ValueOf(connection_.Retrieve(1)), "one\r\n");
  EXPECT_EQ(FailureOf(connection_.Retrieve(2)), "The mail server refused \"RETR\": gone");
  // A check stopped here: the answer asked for ahead is read past before QUIT.
  EXPECT_EQ(FailureOf(connection_.Disconnect()), "");
  refused.ExpectPlayed();

  rows = listed;
  rows.insert(rows.end(), {"C: RETR 1", "C: RETR 2", "S: +OK", "S: one", "S: .", "S: +OK", "S: half a", "CLOSE"});
  ScriptedServer cut(pipelining(rows));
  ASSERT_EQ(FailureOf(connection_.Connect(cut.Url("pop3"), "bob", "secret")), "");
  EXPECT_EQ(ValueOf(connection_.GetMsgSize(1)), 10);
  connection_.WillRetrieve({1, 2});
  EXPECT_EQ(ValueOf(connection_.Retrieve(1)), "one\r\n");
  EXPECT_EQ(FailureOf(connection_.Retrieve(2)), kLost);
  EXPECT_EQ(FailureOf(connection_.Disconnect()), kLost);
  cut.ExpectPlayed();

  // Without PIPELINING each RETR waits for the answer before it: after one
  // message the next command is QUIT.
  auto& plain = Open({"C: RETR 1", "S: +OK", "S: one", "S: .", "C: QUIT", "S: +OK"});
  connection_.WillRetrieve({1, 2});
  EXPECT_EQ(ValueOf(connection_.Retrieve(1)), "one\r\n");
  EXPECT_EQ(FailureOf(connection_.Disconnect()), "");
  plain.ExpectPlayed();
}

TEST_F(Pop3Script, AServerThatGoesQuietIsGivenUp) {
  CurlPop3Connection impatient(folder_.Path(), std::chrono::seconds(1));
  ScriptedServer server(ScriptedServer::Pop3LoggedIn({"C: STAT"}));
  ASSERT_EQ(FailureOf(impatient.Connect(server.Url("pop3"), "bob", "secret")), "");
  EXPECT_EQ(FailureOf(impatient.GetTotalOfMails()), "The mail server stopped answering.");
  EXPECT_EQ(FailureOf(impatient.Disconnect()), "The mail server stopped answering.");
  server.ExpectPlayed();
}

TEST_F(Pop3Script, ConnectionsThatCannotBeMadeSayWhy) {
  const std::string noLogin =
      "The mail server takes logins only over an encrypted connection, so the user name and password were not sent. ";
  struct Case {
    const char* scenario;
    std::vector<std::string> rows;
    const char* scheme;
    const char* password;
    std::string error;  // "<port>" stands for the server's port
    bool wholeScript = true;
  };
  const Case cases[] = {
      {"without the scheme STLS is required: no fall back to plain text",
       {"S: +OK ready", "C: CAPA", "S: +OK", "S: USER", "S: ."}, "", "secret",
       "The mail server does not offer STLS, so the connection was not made without encryption."},
      {"a wrong password",
       {"S: +OK ready", "C: CAPA", "S: +OK", "S: USER", "S: .", "C: USER bob", "S: +OK", "C: PASS wrong",
        "S: -ERR authentication failed"},
       "pop3", "wrong",
       "The mail server refused the login: check the user name and password."},
      {"pop3:// to a server that logs in only with STLS: no login goes out, which is no wrong password",
       {"S: +OK ready", "C: CAPA", "S: +OK", "S: STLS", "S: SASL", "S: UIDL", "S: ."}, "pop3", "secret",
       noLogin + "Write the POP3 server as \"127.0.0.1:<port>\", without \"pop3://\", to encrypt this connection "
                 "with STLS.",
       false},
      {"pop3:// to a server without STLS that logs in only encrypted",
       {"S: +OK ready", "C: CAPA", "S: +OK", "S: SASL", "S: ."}, "pop3", "secret",
       noLogin + "Write the POP3 server as \"pop3s://127.0.0.1\" to connect encrypted from the start (port 995).",
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scenario);
    ScriptedServer server(c.rows);
    std::string error = c.error;
    if (const auto port = error.find("<port>"); port != std::string::npos) {
      error.replace(port, 6, std::to_string(server.Port()));
    }
    EXPECT_EQ(FailureOf(connection_.Connect(server.Url(c.scheme), "bob", c.password)), error);
    server.ExpectPlayed(c.wholeScript);
  }
  const int down = ScriptedServer::ClosedPort();
  EXPECT_EQ(FailureOf(connection_.Connect("127.0.0.1:" + std::to_string(down), "bob", "secret")),
            "The mail server 127.0.0.1 (port " + std::to_string(down) + ") cannot be reached.");
  EXPECT_EQ(FailureOf(connection_.Connect("", "bob", "secret")), "No POP3 server has been set.");
  EXPECT_EQ(FailureOf(connection_.Connect("pop3://127.0.0.1:1", "bob\r\nDELE 1", "secret")), kLineBreakInLogin);
}

TEST_F(Pop3Script, CallsWithoutAConnectionFailCleanly) {
  const std::string none = "There is no connection to the mail server.";
  EXPECT_EQ(FailureOf(connection_.GetTotalOfMails()), none);
  EXPECT_EQ(FailureOf(connection_.Retrieve(1)), none);
  EXPECT_EQ(FailureOf(connection_.Disconnect()), none);
}

}  // namespace
}  // namespace ostrel::transport
