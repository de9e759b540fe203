#pragma once
// A program folder in a temporary folder with the eight data folders and the
// five box index files, and helpers to fill boxes and look at them.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "store/box_record.h"
#include "support/temp_folder.h"

namespace ostrel::testing {

class StoreFolder {
 public:
  StoreFolder();

  // The program folder, ending in "/".
  const std::string& Folder() const { return folder_; }
  std::filesystem::path operator/(const std::string& name) const { return temp_ / name; }

  // Files a message into a box the way receiving does; returns its name.
  std::string AddMessage(const std::string& box, const std::string& subject, const std::string& text,
                         const std::optional<std::string>& web = std::nullopt,
                         const std::string& from = "sender@example.org");

  std::vector<store::BoxRecord> Records(const std::string& box) const;
  std::vector<std::string> Subjects(const std::string& box) const;
  std::string Index(const std::string& box) const;
  // The files in a box's folder that no record of its list names, besides
  // "index.dat": what a run left behind.
  std::vector<std::string> UnlistedFiles(const std::string& box) const;

 private:
  TempFolder temp_;
  std::string folder_;
};

// A fixture file under tests/data/store.
std::filesystem::path StoreData(const std::string& name);

}  // namespace ostrel::testing
