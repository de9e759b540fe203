// The check-mail command's exit status against scripted servers: every way a
// check can fail gives status 1 with its reason on standard error, while the
// summary still tells what arrived.

#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

#include "scripted_server.h"
#include "support/temp_folder.h"
#include "tool_runner.h"

namespace ostrel::app {
namespace {

using ostrel::testing::ScriptedServer;
using ostrel::testing::TempFolder;

const std::vector<std::string> kLogin = {"S: +OK ready", "C: CAPA",   "S: +OK",         "S: USER",
                                         "S: UIDL",      "S: .",      "C: USER bob",    "S: +OK",
                                         "C: PASS secret", "S: +OK logged in"};

std::vector<std::string> LoggedIn(const std::vector<std::string>& rows) {
  std::vector<std::string> script = kLogin;
  script.insert(script.end(), rows.begin(), rows.end());
  return script;
}

class CheckMailCommand : public ::testing::Test {
 protected:
  Outcome Run(const std::vector<std::string>& words, const std::string& input = "") {
    return RunTool(scratch_.Path(), words, input);
  }

  // A fresh program folder whose account is bob at server, with a default key.
  std::string FolderFor(const std::string& server) {
    return SetUpFolder(scratch_.Path(), folders_.emplace_back().Path(), {"--pop-server", server, "--user", "bob"},
                       "secret");
  }

  static std::string Url(const ScriptedServer& server) { return "pop3://127.0.0.1:" + std::to_string(server.Port()); }

  TempFolder scratch_;
  std::list<TempFolder> folders_;
};

TEST_F(CheckMailCommand, EveryFailureGivesStatusOneAndItsReason) {
  struct Case {
    const char* what;
    std::vector<std::string> script;
    std::string reason;
    std::string summary;
  };
  const Case cases[] = {
      {"a refused login",
       {"S: +OK ready", "C: CAPA", "S: +OK", "S: USER", "S: .", "C: USER bob", "S: +OK", "C: PASS secret",
        "S: -ERR authentication failed"},
       "error with connecting server\n\nThe mail server refused the login: check the user name and password.\n",
       "No New Messages.\n"},
      {"a cut download",
       LoggedIn({"C: STAT", "S: +OK 1 30", "C: LIST", "S: +OK", "S: 1 30", "S: .", "C: UIDL", "S: +OK", "S: 1 a",
                 "S: .", "C: RETR 1", "S: +OK", "S: Subject: one", "CLOSE"}),
       "error with Retrieve\n\nThe connection to the mail server was lost.\n",
       "1 New Message. 0 registered, 0 attachments and 0 registered as Junk.\n"},
      {"an answer not believed",
       LoggedIn({"C: STAT", "S: +OK 2000000000 1", "C: QUIT", "S: +OK"}),
       "error with GetTotalOfMails\n\nThe mail server's answer is not believable: it reports 2000000000 messages "
       "waiting.\n",
       "No New Messages.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedServer server(c.script);
    const Outcome checked = Run({"check-mail", "--folder", FolderFor(Url(server))});
    EXPECT_EQ(checked.status, 1);
    EXPECT_EQ(checked.err, c.reason);
    EXPECT_EQ(checked.out, c.summary);
    server.Finish();
  }

  int downPort = 0;
  { downPort = ScriptedServer({}).Port(); }
  const Outcome unreachable = Run({"check-mail", "--folder", FolderFor("127.0.0.1:" + std::to_string(downPort))});
  EXPECT_EQ(unreachable.status, 1);
  EXPECT_EQ(unreachable.err, "error with connecting server\n\nThe mail server 127.0.0.1 (port " +
                                 std::to_string(downPort) + ") cannot be reached.\n");
}

TEST_F(CheckMailCommand, AWholeCheckGivesStatusZero) {
  ScriptedServer server(LoggedIn({"C: STAT", "S: +OK 1 30", "C: LIST", "S: +OK", "S: 1 30", "S: .", "C: UIDL",
                                  "S: +OK", "S: 1 a", "S: .", "C: RETR 1", "S: +OK", "S: Subject: one", "S: ",
                                  "S: body", "S: .", "C: QUIT", "S: +OK"}));
  const Outcome checked = Run({"check-mail", "--folder", FolderFor(Url(server))});
  EXPECT_EQ(checked.status, 0) << checked.err;
  EXPECT_EQ(checked.err, "");
  EXPECT_EQ(checked.out, "1 New Message. 1 registered, 0 attachments and 0 registered as Junk.\n");
  server.Finish();
  EXPECT_TRUE(server.Consumed()) << server.NextRow();
}

TEST_F(CheckMailCommand, HelpNamesTheExitStatuses) {
  const Outcome help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Exit status: 0 when the command did all its work, 1 when it failed (the reason is on "
                          "standard error),\n2 when the command line does not fit the command."),
            std::string::npos)
      << help.out;
  const Outcome commandHelp = Run({"check-mail", "--help"});
  EXPECT_NE(commandHelp.out.find("any failure"), std::string::npos) << commandHelp.out;
  EXPECT_NE(commandHelp.out.find("Exit status"), std::string::npos) << commandHelp.out;
}

}  // namespace
}  // namespace ostrel::app
