#pragma once
// What a killed or crashed run leaves in the program folder, put right by the
// next start of either program before it touches any box: a batch of a mail
// check or a move it was in the middle of is finished or taken back, its
// temporary files are removed, and message files that no record names are
// listed again in their box.

#include <filesystem>
#include <string>
#include <vector>

namespace ostrel::store {

// The record that lists a message file found without one.
inline constexpr const char* kRecoveredFrom = "Recovered";
inline constexpr const char* kRecoveredSubject = "Message found without its record";

struct Tidied {
  bool settledReceipt = false;                     // a receipt journal was acted on
  bool settledMove = false;                        // a move journal was acted on
  std::vector<std::filesystem::path> removedFiles;  // temporary files of runs that ended
  std::vector<std::string> relistedMessages;        // "In/MSG7": files given a record again
};

// Runs under the store lock, so never on another process's work in
// progress. Never throws: what cannot be put right now stays for the next
// start. A missing program folder is left alone.
Tidied TidyAfterInterruptedRuns(const std::filesystem::path& programFolder) noexcept;

}  // namespace ostrel::store
