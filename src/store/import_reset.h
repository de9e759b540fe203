#pragma once
// The File menu's work on the mail store as a whole: importing a file as a
// message of the In box, importing an attachment into "Save", and resetting
// every box.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "base/dialogs.h"

namespace ostrel::store {

class ImportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Files an exact copy of the chosen file into the In box, as its text file and
// its web file, with the record From "Import", Subject "Imported Text
// Message" and the given date. Returns the new message name. Throws
// ImportError, changing nothing, when the file cannot be read.
std::string ImportMessage(const std::filesystem::path& programFolder, const std::filesystem::path& chosenFile,
                          std::string_view dateText);

// Copies the chosen file into "Save" under its own name, replacing a file of
// that name, and returns the copy's path. Deciphering it is up to the caller.
// Throws ImportError when the file cannot be read or written, and for a
// name of the form the program's temporary files have.
std::filesystem::path ImportAttachment(const std::filesystem::path& programFolder,
                                       const std::filesystem::path& chosenFile);

// Asks, then deletes the five box lists and every file of the eight data
// folders, leaving each box index at 0. Returns false when the answer was No.
bool ResetAllBoxes(const std::filesystem::path& programFolder, base::Dialogs& dialogs);

}  // namespace ostrel::store
