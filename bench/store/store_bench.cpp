// Speed of the box view and of opening a message in a box of 100 000
// messages: the whole list for LoadBox, row by row for a grid model, and the
// newest message's text.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "base/safe_file.h"
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
  installation.CurrentBox = "In";
  for (auto _ : state) {
    auto opened = installation.OpenMessage(static_cast<std::int64_t>(kMessages));
    benchmark::DoNotOptimize(opened);
  }
}
BENCHMARK(BM_OpenNewestMessage)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
