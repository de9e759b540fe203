// Searching a box of 100 000 messages as the person types: each keystroke
// filters every row by From, Subject and Date (the target is under 20 ms a
// keystroke), and the one-off reading of the box when the search field takes
// the keyboard.

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <string>

#include "base/safe_file.h"
#include "store/box_record.h"
#include "store/box_search.h"
#include "support/temp_folder.h"

namespace {

using namespace ostrel;

constexpr std::size_t kMessages = 100000;

// An In box of kMessages records with varied senders and subjects, some of
// them in Western letters outside ASCII.
class LargeBox {
 public:
  LargeBox() {
    folder_ = temp_.Path().string() + "/";
    const std::array<const char*, 8> senders{
        "Jürgen Müller <jm@example.de>", "alice@example.org",         "Bob Marley <bob@example.com>",
        "Chloé Dubois <chloe@example.fr>", "newsletter@shop.example", "Søren Kierkegaard <sk@example.dk>",
        "support@bank.example",          "Zoë Ortega <zoe@example.es>"};
    const std::array<const char*, 8> subjects{
        "Re: Harbour meeting on Tuesday", "Angebot für Mai",          "Your invoice number ",
        "Fwd: photos from the weekend",   "Réunion de l'équipe",      "Weekly newsletter issue ",
        "Password change confirmation",   "Lunch?"};
    std::string list;
    list.reserve(kMessages * store::kBoxRecordLength);
    for (std::size_t i = 1; i <= kMessages; ++i) {
      const std::string number = std::to_string(i);
      list += store::BoxRecord{"me@example.org", senders[i % senders.size()],
                               subjects[(i / 3) % subjects.size()] + number,
                               std::to_string(i % 12 + 1) + "/" + std::to_string(i % 28 + 1) + "/2026 9:" +
                                   std::to_string(10 + i % 50) + ":00 AM",
                               "MSG" + number}
                  .ToBytes();
    }
    base::ReplaceFile(temp_ / "inbox.dat", list);
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

const store::BoxSearch& Search() {
  static const store::BoxSearch search = store::BoxSearch::OfBox(Box().Folder(), "In");
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
  const std::string& folder = Box().Folder();
  for (auto _ : state) {
    auto search = store::BoxSearch::OfBox(folder, "In");
    benchmark::DoNotOptimize(search);
  }
}
BENCHMARK(BM_StartSearch100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
