#pragma once
// The move journal "move.dat" in the program folder. A move of messages out
// of a box (Delete Msg, a clean-up, emptying the Trash) writes it and flushes
// it before it changes any box list, and removes it once the move is done. A
// run killed in between leaves it behind, and the next run finishes the move
// or takes it back, so that every message ends up in exactly one box.
//
// A text file of CR LF lines:
//   line 1     the box the messages leave: "In", "Sent", "Junk" or "Trash";
//   each next  one message: its name in that box, and for a move into the
//              Trash one blank and its new name there ("MSG3 MSG41").
//
// The rewrite of the box list the messages leave is the moment they move.
// So a message whose name that list still holds stays in its box (the copy
// and the record the Trash may already have are taken back), and one it no
// longer holds has moved (its old files, if still there, are removed).

#include <filesystem>
#include <string>
#include <vector>

namespace ostrel::store {

inline constexpr const char* kMoveJournalName = "move.dat";

struct JournaledMessage {
  std::string name;       // in the box it leaves
  std::string trashName;  // its name in the Trash; empty when it leaves the Trash for good
};

struct MoveJournal {
  std::string box;
  std::vector<JournaledMessage> messages;
};

// Written and flushed to disk; throws std::system_error when it cannot be.
void WriteMoveJournal(const std::filesystem::path& programFolder, const MoveJournal& journal);

// Removes the journal of a finished move, flushing the removal to disk.
void RemoveMoveJournal(const std::filesystem::path& programFolder);

// Finishes or takes back the move the journal describes, then removes the
// journal (unless a file would not go: it is tried again next time); false
// when there is none. The caller holds the store lock. A
// journal that cannot be read as above is removed without acting on it.
// Throws std::system_error when a list cannot be rewritten; the journal then
// stays for the next try.
bool SettleJournaledMove(const std::filesystem::path& programFolder);

// The same for a window or command that has not taken the store lock: only
// when a journal is there, so that a box shown never offers a message twice.
void SettleInterruptedMove(const std::filesystem::path& programFolder);

}  // namespace ostrel::store
