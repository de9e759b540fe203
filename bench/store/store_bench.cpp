// Speed of the box view and of opening a message in a box of 100 000
// messages: the whole list for LoadBox, row by row for a grid model, and the
// newest message's text. And the price of a new message name in a box
// folder of 10 000 messages, which is read once to find the names in use in
// any letter case.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "base/safe_file.h"
#include "store/box_index.h"
#include "store/box_record.h"
#include "base/dialogs.h"
#include "store/box_view.h"
#include "store/installation.h"
#include "support/temp_folder.h"

namespace {

using namespace ostrel;

constexpr std::size_t kMessages = 100000;

// A program folder whose In box holds kMessages records and the newest
// message's files.
class LargeBox {
 public:
  LargeBox() {
    folder_ = temp_.Path().string() + "/";
    std::filesystem::create_directory(temp_ / "In");
    std::string list;
    list.reserve(kMessages * store::kBoxRecordLength);
    for (std::size_t i = 1; i <= kMessages; ++i) {
      list += store::BoxRecord{"me@example.org", "sender" + std::to_string(i) + "@example.org",
                               "Subject of message number " + std::to_string(i), "1/2/2026 9:00:00 AM",
                               "MSG" + std::to_string(i)}
                  .ToBytes();
    }
    base::ReplaceFile(temp_ / "inbox.dat", list);
    std::string cipher;
    for (int line = 0; line < 200; ++line) cipher += std::string(80, 'A') + "\r\n";
    base::ReplaceFile(temp_ / "In" / ("MSG" + std::to_string(kMessages) + ".txt"), cipher);
  }
  const std::string& Folder() const { return folder_; }

 private:
  testing::TempFolder temp_;
  std::string folder_;
};

LargeBox& Box() {
  static LargeBox box;
  return box;
}

void BM_LoadBox100000(benchmark::State& state) {
  const std::string& folder = Box().Folder();
  for (auto _ : state) {
    auto view = store::LoadBoxView(folder, "In");
    benchmark::DoNotOptimize(view);
  }
}
BENCHMARK(BM_LoadBox100000)->Unit(benchmark::kMillisecond);

void BM_FirstScreenOfRows(benchmark::State& state) {
  const std::string& folder = Box().Folder();
  for (auto _ : state) {
    const store::BoxRowReader reader(folder, "In");
    for (std::size_t r = 1; r <= 40; ++r) benchmark::DoNotOptimize(reader.Row(r));
  }
}
BENCHMARK(BM_FirstScreenOfRows)->Unit(benchmark::kMicrosecond);

void BM_OpenNewestMessage(benchmark::State& state) {
  base::UnattendedDialogs dialogs;
  store::Installation installation(Box().Folder(), dialogs);
  installation.Selection.CurrentBox = store::BoxName::In;
  for (auto _ : state) {
    auto opened = installation.OpenMessage(static_cast<std::int64_t>(kMessages));
    benchmark::DoNotOptimize(opened);
  }
}
BENCHMARK(BM_OpenNewestMessage)->Unit(benchmark::kMicrosecond);

// A box folder holding the text and web files of 10 000 messages.
class FullFolder {
 public:
  FullFolder() {
    for (int i = 1; i <= 10000; ++i) {
      const std::string name = "MSG" + std::to_string(i);
      base::ReplaceScratchFile(temp_ / (name + ".txt"), "text\r\n");
      base::ReplaceScratchFile(temp_ / (name + ".htm"), "<p>web</p>\r\n");
    }
  }
  const std::filesystem::path& Path() const { return temp_.Path(); }

 private:
  testing::TempFolder temp_;
};

void BM_NextMessageNameAmong20000Files(benchmark::State& state) {
  static FullFolder folder;
  for (auto _ : state) {
    store::WriteBoxIndex(folder.Path(), 10000);
    benchmark::DoNotOptimize(store::NextMessageName(folder.Path()));
  }
}
BENCHMARK(BM_NextMessageNameAmong20000Files)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
