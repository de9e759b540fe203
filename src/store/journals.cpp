#include "store/journals.h"

#include <system_error>

#include "store/move_journal.h"
#include "store/receipt_journal.h"
#include "store/store_lock.h"

namespace ostrel::store {

SettledJournals SettleJournals(const std::filesystem::path& programFolder) {
  SettledJournals settled;
  // A move settled first could move a message its batch then takes back.
  settled.receipt = SettleJournaledReceipt(programFolder);
  settled.move = SettleJournaledMove(programFolder);
  return settled;
}

void SettleInterruptedWork(const std::filesystem::path& programFolder) {
  std::error_code error;
  if (!std::filesystem::exists(programFolder / kReceiptJournalName, error) &&
      !std::filesystem::exists(programFolder / kMoveJournalName, error)) {
    return;
  }
  const StoreLock lock(programFolder);
  SettleJournals(programFolder);
}

}  // namespace ostrel::store
