// The check-mail command's failure status against a scripted server (a whole
// check, status 0, is the live test's). Each way a check can fail, and its
// text, is the mail flows' to test; here a failure gives status 1 with the
// reason on standard error, while the summary still tells what arrived.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scripted_server.h"
#include "support/temp_folder.h"
#include "tool_runner.h"

namespace ostrel::app {
namespace {

using ostrel::testing::ScriptedServer;
using ostrel::testing::TempFolder;

// A session up to the retrieval of the one message waiting.
std::vector<std::string> UpToRetrieve(const std::vector<std::string>& answer) {
  std::vector<std::string> script = {
      "S: +OK ready", "C: CAPA", "S: +OK", "S: USER", "S: UIDL", "S: .",
      "C: USER bob", "S: +OK", "C: PASS secret", "S: +OK logged in",
      "C: STAT", "S: +OK 1 30", "C: LIST", "S: +OK", "S: 1 30", "S: .",
      "C: UIDL", "S: +OK", "S: 1 a", "S: .",
      "C: RETR 1", "S: +OK", "S: Subject: one"};
  script.insert(script.end(), answer.begin(), answer.end());
  return script;
}

class CheckMailCommand : public ::testing::Test {
 protected:
  Outcome Check(const ScriptedServer& server) {
    const std::string folder =
        SetUpFolder(scratch_.Path(), program_.Path(),
                    {"--pop-server", "pop3://127.0.0.1:" + std::to_string(server.Port()), "--user", "bob"}, "secret");
    return RunTool(scratch_.Path(), {"check-mail", "--folder", folder});
  }

  TempFolder scratch_;
  TempFolder program_;
};

// The message box's text goes to standard error with terminal line breaks.
TEST_F(CheckMailCommand, ACutDownloadGivesStatusOneItsReasonAndTheSummary) {
  ScriptedServer server(UpToRetrieve({"CLOSE"}));
  const Outcome checked = Check(server);
  EXPECT_EQ(checked.status, 1);
  EXPECT_EQ(checked.err, "error with Retrieve\n\nThe connection to the mail server was lost.\n");
  EXPECT_EQ(checked.out, "1 New Message. 0 registered, 0 attachments and 0 registered as Junk.\n");
  server.Finish();
}

}  // namespace
}  // namespace ostrel::app
