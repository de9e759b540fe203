// Speed of the box view and of opening a message in a box of 100 000
// messages: the whole list for LoadBox, row by row for a grid model, and the
// newest message's text. And the price of a new message name in a box
// folder of 10 000 messages, which is read once to find the names in use in
// any letter case.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "base/dialogs.h"
#include "base/safe_file.h"
#include "large_box.h"
#include "store/box_index.h"
#include "store/box_view.h"
#include "store/installation.h"
#include "support/temp_folder.h"

namespace {

using namespace ostrel;

using bench::kMessages;
using bench::LargeBoxFolder;

void BM_LoadBox100000(benchmark::State& state) {
  const std::string& folder = LargeBoxFolder();
  for (auto _ : state) {
    auto view = store::LoadBoxView(folder, "In");
    benchmark::DoNotOptimize(view);
  }
}
BENCHMARK(BM_LoadBox100000)->Unit(benchmark::kMillisecond);

void BM_FirstScreenOfRows(benchmark::State& state) {
  const std::string& folder = LargeBoxFolder();
  for (auto _ : state) {
    const store::BoxRowReader reader(folder, "In");
    for (std::size_t r = 1; r <= 40; ++r) benchmark::DoNotOptimize(reader.Row(r));
  }
}
BENCHMARK(BM_FirstScreenOfRows)->Unit(benchmark::kMicrosecond);

void BM_OpenNewestMessage(benchmark::State& state) {
  base::UnattendedDialogs dialogs;
  store::Installation installation(LargeBoxFolder(), dialogs);
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
