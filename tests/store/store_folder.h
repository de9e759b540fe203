#pragma once
// A program folder in a temporary folder with the eight data folders and the
// five box index files, and helpers to fill boxes and look at them.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "store/box_record.h"
#include "store/installation.h"
#include "support/folder_contents.h"
#include "support/recording_dialogs.h"
#include "support/temp_folder.h"

namespace ostrel::testing {

using Names = std::vector<std::string>;

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

  // One message per subject, its text the subject and a line break, its web
  // file (if any) "<p>" subject "</p>".
  void AddMessages(const std::string& box, const Names& subjects, bool withWeb = false);

  std::vector<store::BoxRecord> Records(const std::string& box) const;
  std::vector<std::string> Subjects(const std::string& box) const;
  std::string Index(const std::string& box) const;
  // The files in a box's folder that no record of its list names, besides
  // "index.dat": what a run left behind.
  std::vector<std::string> UnlistedFiles(const std::string& box) const;
  // Every file under a folder of the program folder with its bytes.
  FolderContents Files(const std::string& folder) const;

 private:
  TempFolder temp_;
  std::string folder_;
};

// A program folder with the installation of a running program on it, showing
// the In box.
class InstalledTest : public ::testing::Test {
 protected:
  InstalledTest() { installation.Selection.CurrentBox = store::BoxName::In; }

  StoreFolder store;
  RecordingDialogs dialogs;
  store::Installation installation{store.Folder(), dialogs};
};

// A program folder with an engine on it, and a key it can load.
class EngineTest : public ::testing::Test {
 protected:
  void LoadKey() { engine.LoadKey(key); }

  std::string key = "730145928837465012";
  StoreFolder folder;
  engine::Engine engine{folder.Folder()};
  RecordingDialogs dialogs;
};

// A Delete Msg of record from box cut off where a kill between the Trash
// append and the rewrite of the box list leaves it: the message in both
// boxes, and the move journal.
void CutOffBeforeTheRewrite(const StoreFolder& store, const std::string& box, std::size_t record);

// Every file of a box folder belongs to a record of its list, and no
// temporary file or journal is left anywhere: what a finished or tidied run
// leaves.
void ExpectNothingLeftBehind(const StoreFolder& store);

// A fixture file under tests/data/store.
std::filesystem::path StoreData(const std::string& name);

}  // namespace ostrel::testing
