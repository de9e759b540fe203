#pragma once
// The program-wide values the windows and flows pass between them, grouped
// by what they are about, under the names the windows know them by.

#include <cstdint>
#include <optional>
#include <string>

#include "store/boxes.h"

namespace ostrel::store {

// The box shown, the grid row clicked last and the message opened last.
struct SelectionState {
  std::optional<BoxName> CurrentBox;  // none until a box is chosen
  std::int64_t CurrentRecord = 0;     // record number of the row clicked last
  std::string CurrentMessage;         // message file name opened or deleted last
  // The cells of the row right-clicked last, trimmed: printing, replying
  // and forwarding read them.
  std::string SelectedFrom;
  std::string SelectedSubject;
  std::string SelectedDate;
};

// How the compose window opens.
enum class ComposeMode { New, Reply, Forward };

// What the main window asks of the compose window, and what the compose
// window hands to the sending window.
struct ComposeState {
  store::ComposeMode ComposeMode = store::ComposeMode::New;
  std::string OutgoingBody;  // the message text and its attachment lines
  bool MessageEncrypted = false;
};

// The counts of the mail check last run (and of the attachment check).
struct MailCheckCounters {
  std::int64_t NewMessageCount = 0;
  std::int64_t FiledCount = 0;
  std::int64_t AttachmentCount = 0;
  std::int64_t JunkCount = 0;
  std::int64_t DecryptedCount = 0;
};

// Where start-up stands.
struct RunState {
  bool SetupMissing = false;
  bool StartupCheckPending = false;
  bool FirstActivationDone = false;
};

}  // namespace ostrel::store
