// The POP3 connection against scripted servers: the faults that real
// servers do not produce on demand.
#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "transport/curl_pop3_connection.h"
#include "transport/curl_session.h"
#include "transport/scripted_server.h"

namespace ostrel::transport {
namespace {

using testing::ScriptedServer;

const std::vector<std::string> kGreeting = {"S: +OK ready", "C: CAPA", "S: +OK", "S: USER", "S: UIDL", "S: ."};

// A server that logs bob in and then plays the rows.
std::vector<std::string> LoggedIn(const std::vector<std::string>& rows) {
  std::vector<std::string> script = kGreeting;
  script.insert(script.end(), {"C: USER bob", "S: +OK", "C: PASS secret", "S: +OK logged in"});
  script.insert(script.end(), rows.begin(), rows.end());
  return script;
}

std::string Url(const ScriptedServer& server) { return "pop3://127.0.0.1:" + std::to_string(server.Port()); }

void ExpectScriptDone(ScriptedServer& server) {
  server.Finish();
  EXPECT_TRUE(server.mismatches.empty()) << server.mismatches.front();
  EXPECT_TRUE(server.Consumed()) << "stopped at " << server.NextRow();
}

class Pop3Script : public ::testing::Test {
 protected:
  // Connects as bob to a server playing the rows after the login.
  ScriptedServer& Open(const std::vector<std::string>& rows) {
    server_.emplace(LoggedIn(rows));
    EXPECT_EQ(connection_.Connect(Url(*server_), "bob", "secret"), 0) << connection_.LastError();
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
  EXPECT_EQ(connection_.GetTotalOfMails(), 2);
  EXPECT_EQ(connection_.GetMsgSize(1), 120);
  EXPECT_EQ(connection_.GetMsgId(1), "abc-1");
  EXPECT_EQ(connection_.GetMsgSize(2), 200);
  EXPECT_EQ(connection_.GetMsgId(2), "abc-2");
  EXPECT_EQ(connection_.GetMsgSize(3), -1);
  EXPECT_EQ(connection_.GetMsgId(3), "");
  EXPECT_EQ(connection_.Retrieve(1), "Subject: one\r\n\r\n.leading dot\r\nlast\r\n");
  EXPECT_TRUE(connection_.Disconnect());
  ExpectScriptDone(server);
}

TEST_F(Pop3Script, AServerWithoutUidlStillGivesSizes) {
  auto& server = Open({"C: LIST", "S: +OK", "S: 1 99", "S: .",
                       "C: UIDL", "S: -ERR not supported",
                       "C: QUIT", "S: +OK bye"});
  EXPECT_EQ(connection_.GetMsgSize(1), 99);
  EXPECT_EQ(connection_.GetMsgId(1), "");
  EXPECT_FALSE(connection_.LastError().empty());
  EXPECT_TRUE(connection_.Disconnect());
  ExpectScriptDone(server);
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
    EXPECT_EQ(connection_.GetMsgSize(1), -1);
    EXPECT_EQ(connection_.LastError(), c.error);
    EXPECT_EQ(connection_.GetMsgId(1), "");
    EXPECT_FALSE(connection_.Disconnect()) << "no QUIT after an answer that was not believed";
    server.Finish();
    EXPECT_TRUE(server.mismatches.empty()) << server.mismatches.front();
  }
  // Seventy characters are still an identifier.
  auto& server = Open({"C: LIST", "S: +OK", "S: 1 100", "S: .", "C: UIDL", "S: +OK", "S: 1 " + std::string(70, 'x'),
                       "S: .", "C: QUIT", "S: +OK"});
  EXPECT_EQ(connection_.GetMsgId(1), std::string(70, 'x'));
  EXPECT_TRUE(connection_.Disconnect());
  ExpectScriptDone(server);
}

TEST_F(Pop3Script, ARefusedDeleteIsReportedAndTheOthersStillGo) {
  auto& server = Open({"C: STAT", "S: +OK 3 300",
                       "C: DELE 1", "S: +OK marked",
                       "C: DELE 2", "S: -ERR message is locked",
                       "C: DELE 3", "S: +OK marked",
                       "C: QUIT", "S: +OK 2 messages deleted"});
  EXPECT_EQ(connection_.GetTotalOfMails(), 3);
  EXPECT_EQ(connection_.Delete(1), 0);
  EXPECT_NE(connection_.Delete(2), 0);
  EXPECT_NE(connection_.LastError().find("message is locked"), std::string::npos) << connection_.LastError();
  EXPECT_EQ(connection_.Delete(3), 0);
  EXPECT_TRUE(connection_.Disconnect());
  ExpectScriptDone(server);
}

TEST_F(Pop3Script, ALineCutDuringRetrieveLosesTheSessionAndItsDeletions) {
  auto& server = Open({"C: STAT", "S: +OK 2 300",
                       "C: RETR 1", "S: +OK", "S: Subject: one", "S: ", "S: body", "S: .",
                       "C: RETR 2", "S: +OK", "S: Subject: two", "S: ", "S: half a bo",
                       "CLOSE"});
  EXPECT_EQ(connection_.GetTotalOfMails(), 2);
  EXPECT_EQ(connection_.Retrieve(1), "Subject: one\r\n\r\nbody\r\n");
  EXPECT_EQ(connection_.Retrieve(2), "");
  EXPECT_EQ(connection_.LastError(), "The connection to the mail server was lost.");
  // Nothing more goes over a broken line, and no QUIT was accepted.
  EXPECT_EQ(connection_.Delete(1), 1);
  EXPECT_FALSE(connection_.Disconnect());
  ExpectScriptDone(server);
}

TEST_F(Pop3Script, AQuitThatIsRefusedMeansNothingWasDeleted) {
  auto& server = Open({"C: DELE 1", "S: +OK marked", "C: QUIT", "S: -ERR some deleted messages not removed"});
  EXPECT_EQ(connection_.Delete(1), 0);
  EXPECT_FALSE(connection_.Disconnect());
  ExpectScriptDone(server);
}

TEST_F(Pop3Script, AServerThatGoesQuietIsGivenUp) {
  CurlPop3Connection impatient(folder_.Path(), std::chrono::seconds(1));
  ScriptedServer server(LoggedIn({"C: STAT"}));
  ASSERT_EQ(impatient.Connect(Url(server), "bob", "secret"), 0) << impatient.LastError();
  EXPECT_EQ(impatient.GetTotalOfMails(), -1);
  EXPECT_EQ(impatient.LastError(), "The mail server stopped answering.");
  EXPECT_FALSE(impatient.Disconnect());
  ExpectScriptDone(server);
}

TEST_F(Pop3Script, ConnectionsThatCannotBeMadeSayWhy) {
  {
    // Without the scheme STLS is required: no fall back to plain text.
    ScriptedServer server({"S: +OK ready", "C: CAPA", "S: +OK", "S: USER", "S: ."});
    EXPECT_NE(connection_.Connect("127.0.0.1:" + std::to_string(server.Port()), "bob", "secret"), 0);
    EXPECT_EQ(connection_.LastError(),
              "The mail server does not offer STLS, so the connection was not made without encryption.");
    ExpectScriptDone(server);
  }
  {
    auto rows = kGreeting;
    rows.insert(rows.end(), {"C: USER bob", "S: +OK", "C: PASS wrong", "S: -ERR authentication failed"});
    ScriptedServer server(rows);
    EXPECT_NE(connection_.Connect(Url(server), "bob", "wrong"), 0);
    EXPECT_EQ(connection_.LastError(), "The mail server refused the login: check the user name and password.");
    ExpectScriptDone(server);
  }
  {
    // pop3:// to a server that takes logins only with encryption: no login
    // command goes out, which is no wrong password.
    ScriptedServer server({"S: +OK ready", "C: CAPA", "S: +OK", "S: STLS", "S: SASL", "S: UIDL", "S: ."});
    EXPECT_NE(connection_.Connect(Url(server), "bob", "secret"), 0);
    EXPECT_EQ(connection_.LastError(),
              "The mail server takes logins only over an encrypted connection, so the user name and password "
              "were not sent. Write the POP3 server as \"127.0.0.1:" +
                  std::to_string(server.Port()) + "\", without \"pop3://\", to encrypt this connection with STLS.");
    server.Finish();
    EXPECT_TRUE(server.mismatches.empty()) << server.mismatches.front();
  }
  {
    ScriptedServer server({"S: +OK ready", "C: CAPA", "S: +OK", "S: SASL", "S: ."});
    EXPECT_NE(connection_.Connect(Url(server), "bob", "secret"), 0);
    EXPECT_EQ(connection_.LastError(),
              "The mail server takes logins only over an encrypted connection, so the user name and password "
              "were not sent. Write the POP3 server as \"pop3s://127.0.0.1\" to connect encrypted from the start "
              "(port 995).");
    server.Finish();
  }
  int downPort = 0;
  { downPort = ScriptedServer({}).Port(); }
  EXPECT_NE(connection_.Connect("127.0.0.1:" + std::to_string(downPort), "bob", "secret"), 0);
  EXPECT_EQ(connection_.LastError(),
            "The mail server 127.0.0.1 (port " + std::to_string(downPort) + ") cannot be reached.");
  EXPECT_NE(connection_.Connect("", "bob", "secret"), 0);
  EXPECT_EQ(connection_.LastError(), "No POP3 server has been set.");
  EXPECT_NE(connection_.Connect("pop3://127.0.0.1:1", "bob\r\nDELE 1", "secret"), 0);
  EXPECT_EQ(connection_.LastError(), kLineBreakInLogin);
}

TEST_F(Pop3Script, CallsWithoutAConnectionFailCleanly) {
  EXPECT_EQ(connection_.GetTotalOfMails(), -1);
  EXPECT_EQ(connection_.GetMsgSize(1), -1);
  EXPECT_EQ(connection_.GetMsgId(1), "");
  EXPECT_EQ(connection_.Retrieve(1), "");
  EXPECT_NE(connection_.Delete(1), 0);
  EXPECT_FALSE(connection_.Disconnect());
}

}  // namespace
}  // namespace ostrel::transport
