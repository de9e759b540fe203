#pragma once
// One installation of the program: its program folder, the program-wide
// values the windows share, its cipher engine, and the flows of the main
// window that need no window (start-up, the box view, opening, deleting,
// importing, resetting, exit). Each user-facing message goes through the
// Dialogs object; what a window must do next comes back as data.
//
// All state lives in this object, so two installations can share a process.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/dialogs.h"
#include "base/progress.h"
#include "engine/engine.h"
#include "settings/mail_options.h"
#include "store/box_view.h"
#include "store/message_view.h"
#include "store/program_values.h"

namespace ostrel::store {

// What the window does after an activation.
struct Activation {
  enum class Next {
    Nothing,    // setup is missing: the grid stays as it is
    CheckMail,  // run the mail check, which ends by showing the In box
    ShowBox,    // show `box` (nothing in it when no box is chosen yet)
  };
  bool showNotice = false;             // show the first-run notice first
  std::vector<std::string> keyNames;   // the key list, in record order
  std::string shownKeyName;            // the name the key list shows, may be empty
  Next next = Next::Nothing;
  std::optional<BoxView> box;
};

class Installation {
 public:
  // programFolder ends with "/" (see ChooseProgramFolder).
  Installation(std::string programFolder, base::Dialogs& dialogs);
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;

  // Start-up's load step: data folders and index files, tidying after a
  // killed run, the options, the default key. Returns the look for the message pane, or nothing when
  // setup is missing.
  std::optional<settings::TextLook> LoadStep();
  // Runs each time the main window becomes active.
  Activation ActivationStep();
  // Empties the Trash when asked to, and wipes the engine's work files.
  void ExitStep(const base::ProgressReport& progress = {});
  // The options window saved settings: a run that started without them goes
  // on as one that has them, and the activations show the In box.
  void SettingsSaved();

  // The grid's content for CurrentBox; nothing when no box is chosen (the
  // grid stays hidden and the caption unchanged).
  std::optional<BoxView> LoadBox();
  // A box button or Email menu entry; nothing for the Out box.
  std::optional<BoxView> ChooseBox(BoxName box);

  // The record number in a row's hidden first column; blanks skipped, an
  // empty cell gives 0.
  static std::int64_t RecordNumberOf(std::string_view cell);
  // Right click on a row: fills SelectedFrom, SelectedSubject, SelectedDate.
  // False for the header row (record below 1) or a record that is gone.
  bool SelectRow(std::int64_t record);
  // Left click on a row: opens the message of that record of CurrentBox.
  // Writes "web.html" when the message is HTML (the window then shows it
  // with no help topic). Nothing for the header row.
  std::optional<OpenedMessage> OpenMessage(std::int64_t record);

  // Delete Msg on CurrentRecord of CurrentBox; returns the box reloaded.
  // Throws std::system_error, having changed nothing, when the box's list or
  // the Trash's may not be written.
  std::optional<BoxView> DeleteMsg();
  void KillMessages(std::string_view box);
  void EmptyTheTrash(const base::ProgressReport& progress = {});

  // The clean-up box named by the frame caption's first word ("InBox" gives
  // "In"); nothing for any other caption or one without a blank.
  static std::optional<BoxName> CleanUpBoxFromCaption(std::string_view caption);

  // File/Import/Message with the file chosen; the box reloaded when the In
  // box is shown. Errors are shown and change nothing.
  std::optional<BoxView> ImportMessage(const std::filesystem::path& chosenFile);
  // File/Import/Attachments: the copy in "Save", for the attachment check.
  std::optional<std::filesystem::path> ImportAttachment(const std::filesystem::path& chosenFile);
  // File/Reset All Boxes; the box reloaded after a reset, nothing after No.
  std::optional<BoxView> ResetAllBoxes();

  // Path of a data file or folder under the program folder.
  std::filesystem::path DataPath(std::string_view name) const { return std::filesystem::path(ProgramFolder) / name; }

  // Program-wide values, under the names the windows know them by.
  const std::string ProgramFolder;
  std::string CurrentKey;
  settings::MailOptions MailOptions;
  engine::Engine Engine;  // work files in the runtime folder when there is one, else the program folder
  SelectionState Selection;
  ComposeState Compose;
  MailCheckCounters MailCheck;
  RunState Run;

 private:
  void LoadDefaultKey();
  // CurrentBox is a box the grid shows.
  bool ShowsBox() const;

  base::Dialogs& dialogs_;
};

}  // namespace ostrel::store
