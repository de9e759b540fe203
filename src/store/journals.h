#pragma once
// What a killed run can leave half done in the boxes: a batch of a mail
// check (the receipt journal) and a move (the move journal). Every operation
// that files, moves or removes messages settles both first, under the store
// lock, so that it never works on a message that is half filed or half moved.

#include <filesystem>

namespace ostrel::store {

struct SettledJournals {
  bool receipt = false;  // a receipt journal was acted on
  bool move = false;     // a move journal was acted on
};

// The caller holds the store lock. Throws std::system_error when a journal
// cannot be settled now; it stays for the next try.
SettledJournals SettleJournals(const std::filesystem::path& programFolder);

// The same for a window or command that has not taken the store lock: only
// when a journal is there, so that a box shown never offers a message twice.
void SettleInterruptedWork(const std::filesystem::path& programFolder);

}  // namespace ostrel::store
