#include "store/clean_up.h"

#include <set>

#include "store/box_record.h"
#include "store/mail_box.h"
#include "store/trash_moves.h"

namespace ostrel::store {
namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string FitToColumn(std::string_view utf8, std::size_t width) {
  std::string fitted;
  std::size_t characters = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (!IsContinuationByte(utf8[i])) {
      if (characters == width) break;
      ++characters;
    }
    fitted += utf8[i];
  }
  fitted.append(width - characters, ' ');
  return fitted;
}

CleanUp::CleanUp(std::filesystem::path programFolder, std::string boxName)
    : programFolder_(std::move(programFolder)), boxName_(std::move(boxName)) {
  Load();
}

void CleanUp::Load() {
  rows_.clear();
  recordNumbers_.clear();
  const MailBox box(programFolder_, boxName_);
  box.EnsureListExists();
  const std::vector<std::string> records = box.ReadAllBytes();
  byPassClean_ = records.empty();
  for (std::size_t r = records.size(); r >= 1; --r) {
    const BoxRecord record = BoxRecord::FromBytes(records[r - 1]);
    rows_.push_back(FitToColumn(record.From, kCleanUpColumnWidth) + " " +
                    FitToColumn(record.Subject, kCleanUpColumnWidth) + " " +
                    FitToColumn(record.Date, kCleanUpColumnWidth));
    recordNumbers_.push_back(r);
  }
}

std::string CleanUp::Caption() const { return "Clean Up " + boxName_ + " Box"; }

CleanUp::Outcome CleanUp::Delete(const std::vector<std::size_t>& selectedRows, base::Dialogs& dialogs,
                                 const base::ProgressReport& progress) {
  std::set<std::size_t> marked;
  for (const std::size_t row : selectedRows) {
    if (row < recordNumbers_.size()) marked.insert(recordNumbers_[row]);
  }
  if (marked.empty()) {
    dialogs.Show({"No Messages were selected.", "", base::Buttons::Ok, base::Icon::None});
    return Outcome::NothingSelected;
  }
  const base::MessageBox question{"Are you sure you want to delete the Messages selected?", "Delete Confirm",
                                  base::Buttons::YesNo, base::Icon::None};
  if (dialogs.Ask(question) != base::Answer::Yes) return Outcome::Declined;

  // The picked records are held here rather than marked inside the box
  // list, so an interrupted run leaves no marks behind for the next one.
  MailBox(programFolder_, boxName_).RequireWritableList();
  MailBox(programFolder_, BoxName::Trash).RequireWritableList();
  const RemovalResult result = RemoveRecords(programFolder_, boxName_, marked, progress);
  Load();
  if (result.keptBecauseCopyFailed > 0) {
    dialogs.Show({"Some messages could not be copied to the Trash and were left in the box.", "",
                  base::Buttons::Ok, base::Icon::Exclamation});
  }
  return Outcome::Deleted;
}

}  // namespace ostrel::store
