#pragma once
// A program folder whose In box holds 100 000 messages, with varied senders
// and subjects (some in Western letters outside ASCII) and the newest
// message's text, built once per run when first asked for.

#include <array>
#include <string>

#include "base/safe_file.h"
#include "store/box_record.h"
#include "support/temp_folder.h"

namespace ostrel::bench {

inline constexpr std::size_t kMessages = 100000;

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
    std::filesystem::create_directory(temp_ / "In");
    std::string cipher;
    for (int line = 0; line < 200; ++line) cipher += std::string(80, 'A') + "\r\n";
    base::ReplaceFile(temp_ / "In" / ("MSG" + std::to_string(kMessages) + ".txt"), cipher);
  }
  const std::string& Folder() const { return folder_; }

 private:
  testing::TempFolder temp_;
  std::string folder_;
};

inline const std::string& LargeBoxFolder() {
  static const LargeBox box;
  return box.Folder();
}

}  // namespace ostrel::bench
