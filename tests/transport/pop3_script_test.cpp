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

std::vector<std::string> Login() {
  return {"S: +OK ready", "C: CAPA", "S: +OK", "S: USER", "S: UIDL", "S: .",
          "C: USER bob", "S: +OK", "C: PASS secret", "S: +OK logged in"};
}

std::vector<std::string> Plus(std::vector<std::string> rows, const std::vector<std::string>& more) {
  rows.insert(rows.end(), more.begin(), more.end());
  return rows;
}

std::string Url(const ScriptedServer& server) {
  return "pop3://127.0.0.1:" + std::to_string(server.Port());
}

void ExpectScriptDone(ScriptedServer& server) {
  server.Finish();
  EXPECT_TRUE(server.mismatches.empty()) << server.mismatches.front();
  EXPECT_TRUE(server.Consumed()) << "stopped at " << server.NextRow();
}

class Pop3Script : public ::testing::Test {
 protected:
  testing::TempFolder folder_;
  CurlPop3Connection connection_{folder_.Path(), std::chrono::seconds(5)};
};

TEST_F(Pop3Script, FullSessionReadsCountsSizesIdsAndUnstuffsDots) {
  ScriptedServer server(Plus(Login(), {
      "C: STAT", "S: +OK 2 320",
      "C: LIST", "S: +OK 2 messages", "S: 1 120", "S: 2 200", "S: .",
      "C: UIDL", "S: +OK", "S: 1 abc-1", "S: 2 abc-2", "S: .",
      "C: RETR 1", "S: +OK 120 octets", "S: Subject: one", "S: ", "S: ..leading dot",
      "S: last", "S: .",
      "C: QUIT", "S: +OK bye"}));
  ASSERT_EQ(connection_.Connect(Url(server), "bob", "secret"), 0) << connection_.LastError();
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
  ScriptedServer server(Plus(Login(), {
      "C: LIST", "S: +OK", "S: 1 99", "S: .",
      "C: UIDL", "S: -ERR not supported",
      "C: QUIT", "S: +OK bye"}));
  ASSERT_EQ(connection_.Connect(Url(server), "bob", "secret"), 0) << connection_.LastError();
  EXPECT_EQ(connection_.GetMsgSize(1), 99);
  EXPECT_EQ(connection_.GetMsgId(1), "");
  EXPECT_FALSE(connection_.LastError().empty());
  EXPECT_TRUE(connection_.Disconnect());
  ExpectScriptDone(server);
}

TEST_F(Pop3Script, ARefusedDeleteIsReportedAndTheOthersStillGo) {
  ScriptedServer server(Plus(Login(), {
      "C: STAT", "S: +OK 3 300",
      "C: DELE 1", "S: +OK marked",
      "C: DELE 2", "S: -ERR message is locked",
      "C: DELE 3", "S: +OK marked",
      "C: QUIT", "S: +OK 2 messages deleted"}));
  ASSERT_EQ(connection_.Connect(Url(server), "bob", "secret"), 0) << connection_.LastError();
  EXPECT_EQ(connection_.GetTotalOfMails(), 3);
  EXPECT_EQ(connection_.Delete(1), 0);
  EXPECT_NE(connection_.Delete(2), 0);
  EXPECT_NE(connection_.LastError().find("message is locked"), std::string::npos) << connection_.LastError();
  EXPECT_EQ(connection_.Delete(3), 0);
  EXPECT_TRUE(connection_.Disconnect());
  ExpectScriptDone(server);
}

TEST_F(Pop3Script, ALineCutDuringRetrieveLosesTheSessionAndItsDeletions) {
  ScriptedServer server(Plus(Login(), {
      "C: STAT", "S: +OK 2 300",
      "C: RETR 1", "S: +OK", "S: Subject: one", "S: ", "S: body", "S: .",
      "C: RETR 2", "S: +OK", "S: Subject: two", "S: ", "S: half a bo",
      "CLOSE"}));
  ASSERT_EQ(connection_.Connect(Url(server), "bob", "secret"), 0) << connection_.LastError();
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
  ScriptedServer server(Plus(Login(), {
      "C: DELE 1", "S: +OK marked",
      "C: QUIT", "S: -ERR some deleted messages not removed"}));
  ASSERT_EQ(connection_.Connect(Url(server), "bob", "secret"), 0) << connection_.LastError();
  EXPECT_EQ(connection_.Delete(1), 0);
  EXPECT_FALSE(connection_.Disconnect());
  ExpectScriptDone(server);
}

TEST_F(Pop3Script, AServerThatGoesQuietIsGivenUp) {
  CurlPop3Connection impatient(folder_.Path(), std::chrono::seconds(1));
  ScriptedServer server(Plus(Login(), {"C: STAT"}));
  ASSERT_EQ(impatient.Connect(Url(server), "bob", "secret"), 0) << impatient.LastError();
  EXPECT_EQ(impatient.GetTotalOfMails(), -1);
  EXPECT_EQ(impatient.LastError(), "The mail server stopped answering.");
  EXPECT_FALSE(impatient.Disconnect());
  ExpectScriptDone(server);
}

TEST_F(Pop3Script, MissingStlsIsAnErrorNotAFallBackToPlainText) {
  ScriptedServer server({"S: +OK ready", "C: CAPA", "S: +OK", "S: USER", "S: ."});
  const std::string hostAndPort = "127.0.0.1:" + std::to_string(server.Port());
  EXPECT_NE(connection_.Connect(hostAndPort, "bob", "secret"), 0);
  EXPECT_EQ(connection_.LastError(),
            "The mail server does not offer STLS, so the connection was not made without encryption.");
  ExpectScriptDone(server);
}

TEST_F(Pop3Script, RefusedLoginSaysSo) {
  ScriptedServer server({"S: +OK ready", "C: CAPA", "S: +OK", "S: USER", "S: .",
                         "C: USER bob", "S: +OK", "C: PASS wrong", "S: -ERR authentication failed"});
  EXPECT_NE(connection_.Connect(Url(server), "bob", "wrong"), 0);
  EXPECT_EQ(connection_.LastError(),
            "The mail server refused the login: check the user name and password.");
  ExpectScriptDone(server);
}

TEST_F(Pop3Script, CallsWithoutAConnectionFailCleanly) {
  EXPECT_EQ(connection_.GetTotalOfMails(), -1);
  EXPECT_EQ(connection_.GetMsgSize(1), -1);
  EXPECT_EQ(connection_.GetMsgId(1), "");
  EXPECT_EQ(connection_.Retrieve(1), "");
  EXPECT_NE(connection_.Delete(1), 0);
  EXPECT_FALSE(connection_.Disconnect());
  EXPECT_NE(connection_.Connect("", "bob", "secret"), 0);
  EXPECT_EQ(connection_.LastError(), "No POP3 server has been set.");
  EXPECT_NE(connection_.Connect("pop3://127.0.0.1:1", "bob\r\nDELE 1", "secret"), 0);
  EXPECT_EQ(connection_.LastError(), kLineBreakInLogin);
}

}  // namespace
}  // namespace ostrel::transport
