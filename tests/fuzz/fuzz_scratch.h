#pragma once
// What the fuzz targets share: a program folder of the run's own, laid out
// as start-up lays it out, and a stop that makes a broken rule a finding.

#include <filesystem>
#include <string>
#include <string_view>

#include "base/dialogs.h"

namespace ostrel::fuzz {

// A program folder under the temporary folder, removed when the run ends.
class ScratchFolder {
 public:
  ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();

  // The program folder, ending in "/".
  const std::string& Folder() const { return folder_; }
  std::filesystem::path operator/(const std::string& name) const { return root_ / name; }

  // Empties the folder and makes the data folders and box index files again.
  void Reset() const;

 private:
  std::filesystem::path root_;
  std::string folder_;
};

// Dialogs that show nothing and answer No.
class QuietDialogs : public base::Dialogs {
 public:
  void Show(const base::MessageBox&) override {}
  base::Answer Ask(const base::MessageBox&) override { return base::Answer::No; }
  void SetStatus(std::string_view) override {}
};

// Writes bytes to path, replacing what was there.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// Ends the run as a finding when the rule does not hold.
void Require(bool rule, const char* what);

}  // namespace ostrel::fuzz
