#pragma once
// The clean-up of one box: lists every message, newest first, and removes the
// ones picked (to the Trash, or for good when the box is the Trash).

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "base/progress.h"

namespace ostrel::store {

inline constexpr std::size_t kCleanUpColumnWidth = 30;

class CleanUp {
 public:
  enum class Outcome { NothingSelected, Declined, Deleted };

  // boxName: "In", "Sent", "Junk" or "Trash". Runs Loading.
  CleanUp(std::filesystem::path programFolder, std::string boxName);

  // Reads the box list again into the rows.
  void Load();

  // "Clean Up In Box".
  std::string Caption() const;
  // One row per message, newest first: From and Subject cut or padded to 30
  // characters and the 30-character Date, one blank between them.
  const std::vector<std::string>& Rows() const { return rows_; }
  // The record number of each row; a row's message is found through this,
  // never through its text.
  const std::vector<std::size_t>& RecordNumbers() const { return recordNumbers_; }
  // Set when the box is empty: the window closes itself.
  bool ByPassClean() const { return byPassClean_; }

  // "Delete" with these rows (indexes into Rows()) selected: asks, removes
  // the messages and loads the list again.
  Outcome Delete(const std::vector<std::size_t>& selectedRows, base::Dialogs& dialogs,
                 const base::ProgressReport& progress = {});

 private:
  std::filesystem::path programFolder_;
  std::string boxName_;
  std::vector<std::string> rows_;
  std::vector<std::size_t> recordNumbers_;
  bool byPassClean_ = false;
};

// A text cut or padded with blanks to exactly width characters.
std::string FitToColumn(std::string_view utf8, std::size_t width);

}  // namespace ostrel::store
