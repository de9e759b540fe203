// A child process deletes, cleans up, imports and resets in a loop and is
// killed at random moments. Whatever moment the kill hits, no box list is
// left half-written, every record's message file is there, and every message
// a delete or clean-up was moving is in its old box or in the Trash.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <random>
#include <set>
#include <thread>

#include "base/dialogs.h"
#include "store/box_view.h"
#include "store/clean_up.h"
#include "store/import_reset.h"
#include "store/mail_box.h"
#include "store/trash_moves.h"
#include "store_folder.h"

namespace ostrel::store {
namespace {

using testing::ReadBytes;
using testing::StoreFolder;
using testing::WriteBytes;

constexpr int kRounds = 50;
constexpr int kMessages = 12;

// A kill leaves the page cache as it was, so flushing to the disk proves
// nothing here; the folders go to memory when it can hold them, which keeps
// the many rounds fast.
class FoldersInMemory {
 public:
  FoldersInMemory() : saved_(std::getenv("TMPDIR") ? std::optional<std::string>(std::getenv("TMPDIR")) : std::nullopt) {
    if (std::filesystem::is_directory("/dev/shm")) ::setenv("TMPDIR", "/dev/shm", 1);
  }
  ~FoldersInMemory() { saved_ ? ::setenv("TMPDIR", saved_->c_str(), 1) : ::unsetenv("TMPDIR"); }

 private:
  std::optional<std::string> saved_;
};

class AlwaysYes : public base::Dialogs {
 public:
  void Show(const base::MessageBox&) override {}
  base::Answer Ask(const base::MessageBox&) override { return base::Answer::Yes; }
  void SetStatus(std::string_view) override {}
};

// Runs work in a child process, kills it after `delay` (unless it is done),
// and returns how long the child ran.
std::chrono::microseconds RunAndKill(const std::function<void()>& work, std::chrono::microseconds delay) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    try {
      work();
    } catch (...) {
      ::_exit(2);
    }
    ::_exit(0);
  }
  EXPECT_GT(child, 0);
  int status = 0;
  while (std::chrono::steady_clock::now() - start < delay) {
    if (::waitpid(child, &status, WNOHANG) == child) {
      EXPECT_EQ(WEXITSTATUS(status), 0) << "the child failed";
      return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(50));
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, &status, 0);
  return delay;
}

// Every box list holds whole records whose text files are all present, and
// no two records of a box name the same message.
void ExpectSoundBoxes(const StoreFolder& store) {
  for (const auto& info : kBoxes) {
    const MailBox box(store.Folder(), info.name);
    std::error_code error;
    const auto length = std::filesystem::file_size(box.ListPath(), error);
    if (error) continue;
    EXPECT_EQ(length % kBoxRecordLength, 0u) << info.listFile;
    std::set<std::string> names;
    for (const auto& record : box.ReadAllBytes()) {
      const std::string name = MessageNameOf(record);
      EXPECT_TRUE(names.insert(name).second) << info.name << " names " << name << " twice";
      EXPECT_TRUE(std::filesystem::exists(box.TextPath(name))) << info.name << "/" << name;
    }
  }
}

// The message texts held by a box.
std::set<std::string> Texts(const StoreFolder& store, const std::string& boxName) {
  std::set<std::string> texts;
  const MailBox box(store.Folder(), boxName);
  for (const auto& record : box.ReadAllBytes()) texts.insert(ReadBytes(box.TextPath(MessageNameOf(record))));
  return texts;
}

void MoveEverythingToTheTrash(const std::string& folder, unsigned seed) {
  std::mt19937 random(seed);
  AlwaysYes yes;
  for (;;) {
    const MailBox in(folder, "In");
    const std::size_t count = in.Count();
    if (count == 0) return;
    if (random() % 2 == 0) {
      DeleteMessage(folder, "In", 1 + random() % count);
    } else {
      CleanUp cleanUp(folder, "In");
      std::vector<std::size_t> rows;
      for (std::size_t row = 0; row < cleanUp.Rows().size(); ++row) {
        if (random() % 3 == 0) rows.push_back(row);
      }
      if (rows.empty()) rows.push_back(0);
      cleanUp.Delete(rows, yes);
    }
  }
}

// Fills a fresh store, runs `work` in a child killed at a random moment of
// a full run, then has `check` look at what is left; round after round.
void KillAtRandomMoments(unsigned seed, const std::function<void(StoreFolder&)>& fill,
                         const std::function<void(const StoreFolder&, unsigned)>& work,
                         const std::function<void(const StoreFolder&)>& check) {
  const FoldersInMemory inMemory;
  std::mt19937 random(seed);
  std::chrono::microseconds fullRun{0};
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    StoreFolder store;
    fill(store);
    const unsigned workSeed = static_cast<unsigned>(random());
    const auto run = [&] { work(store, workSeed); };
    if (round == 0) {
      fullRun = RunAndKill(run, std::chrono::seconds(60));
    } else {
      RunAndKill(run, std::chrono::microseconds(random() % static_cast<unsigned>(fullRun.count() + 1)));
    }
    ExpectSoundBoxes(store);
    check(store);
    // The store goes on working after the kill.
    work(store, workSeed + 1);
    ExpectSoundBoxes(store);
    if (::testing::Test::HasFailure()) return;
  }
}

TEST(KillTest, DeleteAndCleanUpNeverLoseAMessage) {
  std::set<std::string> all;
  for (int i = 0; i < kMessages; ++i) all.insert("message " + std::to_string(i) + "\r\n");
  KillAtRandomMoments(
      20261206,
      [&](StoreFolder& store) {
        for (const auto& text : all) store.AddMessage("In", "subject", text, text);
      },
      [](const StoreFolder& store, unsigned seed) { MoveEverythingToTheTrash(store.Folder(), seed); },
      [&](const StoreFolder& store) {
        auto kept = Texts(store, "In");
        kept.merge(Texts(store, "Trash"));
        EXPECT_EQ(kept, all);
      });
}

void ImportAndReset(const std::string& folder, const std::filesystem::path& source, unsigned seed) {
  std::mt19937 random(seed);
  AlwaysYes yes;
  for (int step = 0; step < 40; ++step) {
    switch (random() % 4) {
      case 0:
        ResetAllBoxes(folder, yes);
        break;
      case 1:
        ImportAttachment(folder, source);
        break;
      default:
        ImportMessage(folder, source, "1/1/2026 1:00:00 AM");
        if (MailBox(folder, "In").Count() > 3) DeleteMessage(folder, "In", 1);
    }
  }
}

TEST(KillTest, ImportAndResetLeaveSoundBoxes) {
  KillAtRandomMoments(
      424242, [](StoreFolder& store) { WriteBytes(store / "source.txt", "imported text\r\n"); },
      [](const StoreFolder& store, unsigned seed) { ImportAndReset(store.Folder(), store / "source.txt", seed); },
      [](const StoreFolder& store) {
        for (const auto& info : kBoxes) {
          EXPECT_TRUE(std::filesystem::exists(store / std::string(info.name) / "index.dat")) << info.name;
        }
      });
}

}  // namespace
}  // namespace ostrel::store
