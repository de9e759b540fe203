// `ostrel check-mail` against the private Dovecot, killed at random moments
// of its run, then run again to the end: every message of the mailbox is in
// the In or the Junk box exactly once, none is lost and none filed twice, and
// none comes back as a message found without its record.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <random>
#include <thread>

#include "base/fixed_records.h"
#include "mail_servers.h"
#include "settings/mail_options.h"
#include "store/box_record.h"
#include "store/interrupted_runs.h"
#include "store/mail_box.h"
#include "support/kills.h"
#include "support/temp_folder.h"
#include "tool_runner.h"

extern char** environ;

namespace ostrel::app {
namespace {

using ostrel::testing::FoldersInMemory;
using ostrel::testing::TempFolder;

// More than one batch of 64, a fifth of them junk.
constexpr int kMessages = 70;
#if defined(__SANITIZE_ADDRESS__)
constexpr int kTrials = 40;  // each run is several times slower there
#else
constexpr int kTrials = 200;
#endif

std::string SubjectOf(int number) {
  char subject[32];
  std::snprintf(subject, sizeof subject, "kill %03d%s", number, number % 5 == 0 ? " junkword" : "");
  return subject;
}

std::string MessageText(const std::string& to, int number) {
  std::string text = "From: sender@example.test\nTo: " + to + "\nSubject: " + SubjectOf(number) +
                     "\nDate: Mon, 7 Dec 2026 05:00:00 +0000\nMessage-ID: <kill-" + std::to_string(number) +
                     "@example.test>\nMIME-Version: 1.0\nContent-Type: text/plain; charset=us-ascii\n\n";
  for (int line = 0; line < 40; ++line) text += "Line " + std::to_string(line) + " of message " + std::to_string(number) + ".\n";
  return text;
}

// Starts `ostrel check-mail` on folder with its output thrown away.
pid_t StartCheck(const std::string& folder) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> words = {OSTREL_BINARY, "check-mail", "--folder", folder};
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t child = -1;
  const int error = posix_spawn(&child, OSTREL_BINARY, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0 ? child : -1;
}

// subject -> the boxes that list it, one entry per record.
std::map<std::string, std::vector<std::string>> Filed(const std::string& folder) {
  std::map<std::string, std::vector<std::string>> filed;
  for (const char* box : {"In", "Junk"}) {
    for (const auto& bytes : store::MailBox(folder, box).ReadAllBytes()) {
      filed[std::string(base::TrimBlanks(store::BoxRecord::FromBytes(bytes).Subject))].push_back(box);
    }
  }
  return filed;
}

class LiveServersCheckMailKill : public testing::LiveServersTest {
 protected:
  FoldersInMemory inMemory;
  TempFolder scratch;
};

TEST_F(LiveServersCheckMailKill, KilledAtRandomMomentsEveryMessageEndsInInOrJunkExactlyOnce) {
  const std::string address = servers.NewAddress("kills");
  std::vector<std::string> texts;
  for (int number = 1; number <= kMessages; ++number) texts.push_back(MessageText(address, number));
  servers.Deposit(address, texts);

  // The installation every trial starts from: the account, the servers'
  // authority trusted, the junk filter on.
  TempFolder model;
  SetUpFolder(scratch.Path(), model.Path(), {"--pop-server", servers.Endpoint(servers.pop3Port), "--user", address},
              servers.PasswordOf(address));
  ASSERT_FALSE(HasFailure());
  std::filesystem::copy_file(servers.caFile, model / "trusted-ca.pem");
  auto settings = settings::ReadOptions(model.Path());
  ASSERT_TRUE(settings.has_value());
  settings->options.UseFilters = true;
  settings::WriteOptions(model.Path(), *settings);
  testing::WriteBytes(model / "filter.dat", "junkword\r\n");

  const auto freshCopy = [&](const TempFolder& folder) {
    std::filesystem::copy(model.Path(), folder.Path(),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    return folder.Path().string() + "/";
  };
  const auto expectEachOnce = [&](const std::string& folder) {
    const auto filed = Filed(folder);
    EXPECT_EQ(filed.size(), static_cast<std::size_t>(kMessages));
    for (int number = 1; number <= kMessages; ++number) {
      const auto found = filed.find(SubjectOf(number));
      ASSERT_NE(found, filed.end()) << SubjectOf(number) << " was lost";
      EXPECT_EQ(found->second, std::vector<std::string>{number % 5 == 0 ? "Junk" : "In"}) << SubjectOf(number);
    }
    EXPECT_EQ(filed.count(store::kRecoveredSubject), 0u);
  };

  // A whole run, timed, says how long the moments to kill at spread.
  std::chrono::microseconds fullRun{};
  {
    TempFolder folder;
    const std::string path = freshCopy(folder);
    const auto start = std::chrono::steady_clock::now();
    const Outcome checked = RunTool(scratch.Path(), {"check-mail", "--folder", path});
    fullRun = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    ASSERT_EQ(checked.status, 0) << checked.err;
    EXPECT_NE(checked.out.find(std::to_string(kMessages) + " New Messages."), std::string::npos) << checked.out;
    expectEachOnce(path);
  }

  std::mt19937 random(20261207);
  int killedHalfFiled = 0;  // trials that left some messages filed and some not
  for (int trial = 0; trial < kTrials; ++trial) {
    TempFolder folder;
    const std::string path = freshCopy(folder);
    // The batches are filed in the later part of a run: the moments lean there.
    const auto spread = static_cast<std::uint64_t>(fullRun.count() * 8 / 10 + 1);
    const auto delay = std::chrono::microseconds(fullRun.count() * 3 / 10 +
                                                 static_cast<std::int64_t>(random() % spread));
    SCOPED_TRACE("trial " + std::to_string(trial) + ", killed after " + std::to_string(delay.count()) + " us");
    const pid_t child = StartCheck(path);
    ASSERT_GT(child, 0);
    std::this_thread::sleep_for(delay);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);

    const std::size_t filedBefore = Filed(path).size();
    killedHalfFiled += filedBefore > 0 && filedBefore < static_cast<std::size_t>(kMessages);

    const Outcome checked = RunTool(scratch.Path(), {"check-mail", "--folder", path});
    ASSERT_EQ(checked.status, 0) << checked.err;
    expectEachOnce(path);
    if (::testing::Test::HasFailure()) return;
  }
  std::cout << kTrials << " kills in a run of " << fullRun.count() / 1000 << " ms: " << killedHalfFiled
            << " left part of the mail filed\n";
}

}  // namespace
}  // namespace ostrel::app
