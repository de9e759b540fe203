// Searching a box of 100 000 messages as the person types: each keystroke
// filters every row by From, Subject and Date (the target is under 20 ms a
// keystroke), and the one-off reading of the box when the search field takes
// the keyboard.

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <string>

#include "large_box.h"
#include "store/box_search.h"

namespace {

using namespace ostrel;

using bench::LargeBoxFolder;

const store::BoxSearch& Search() {
  static const store::BoxSearch search = store::BoxSearch::OfBox(LargeBoxFolder(), "In");
  return search;
}

// The texts after each keystroke of typing a few searches, one run each.
constexpr std::array<const char*, 12> kKeystrokes{
    "m", "mü", "mül", "müller",               // a sender, many matches
    "i", "in", "inv", "invoice number 4711",  // a subject with a number: a few matches
    "9", "9:4",                               // a date
    "q", "zzz zzz"};                          // rare and absent: every row read to its end

void BM_SearchKeystroke100000(benchmark::State& state) {
  const store::BoxSearch& search = Search();
  const char* query = kKeystrokes[static_cast<std::size_t>(state.range(0))];
  std::size_t found = 0;
  for (auto _ : state) {
    const auto rows = search.Matching(query);
    found = rows.size();
    benchmark::DoNotOptimize(rows.data());
  }
  state.SetLabel(std::string("\"") + query + "\": " + std::to_string(found) + " rows");
}
BENCHMARK(BM_SearchKeystroke100000)->DenseRange(0, kKeystrokes.size() - 1)->Unit(benchmark::kMillisecond);

void BM_StartSearch100000(benchmark::State& state) {
  const std::string& folder = LargeBoxFolder();
  for (auto _ : state) {
    auto search = store::BoxSearch::OfBox(folder, "In");
    benchmark::DoNotOptimize(search);
  }
}
BENCHMARK(BM_StartSearch100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
