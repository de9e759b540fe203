#include "store/import_reset.h"

#include <array>
#include <system_error>

#include "base/case_insensitive_lookup.h"
#include "base/safe_file.h"
#include "store/box_emptying.h"
#include "store/box_record.h"
#include "store/boxes.h"
#include "store/journals.h"
#include "store/mail_box.h"
#include "store/message_files.h"
#include "store/store_lock.h"

namespace ostrel::store {

std::string ImportMessage(const std::filesystem::path& programFolder, const std::filesystem::path& chosenFile,
                          std::string_view dateText) {
  const auto contents = base::ReadWholeFile(chosenFile);
  if (!contents) throw ImportError("The file \"" + chosenFile.string() + "\" cannot be read.");
  const MailBox in(programFolder, BoxName::In);
  const BoxRecord record{"", "Import", "Imported Text Message", std::string(dateText), ""};
  try {
    return in.File(record, *contents, *contents);
  } catch (const std::system_error& error) {
    throw ImportError(std::string("The message could not be imported: ") + error.what());
  }
}

std::filesystem::path ImportAttachment(const std::filesystem::path& programFolder,
                                       const std::filesystem::path& chosenFile) {
  const std::filesystem::path saved = programFolder / "Save" / chosenFile.filename();
  // A name of the form the program's temporary files have would be taken
  // for the leftover of a killed run and removed.
  if (chosenFile.filename().empty() || base::IsTemporaryFileName(chosenFile.filename().string()) ||
      !CopyFileSafely(chosenFile, saved)) {
    throw ImportError("The file \"" + chosenFile.string() + "\" could not be copied into the Save folder.");
  }
  return saved;
}

bool ResetAllBoxes(const std::filesystem::path& programFolder, base::Dialogs& dialogs) {
  const base::MessageBox question{
      "This will delete all of the data in your mail boxes.  Are you sure you want to do this?",
      "Are Really, Really Sure?", base::Buttons::YesNo, base::Icon::None};
  if (dialogs.Ask(question) != base::Answer::Yes) return false;

  {
    const StoreLock lock(programFolder);
    // A journal left from before would name messages of the boxes to come.
    SettleJournals(programFolder);
    // The lists go first: from then on no record names a file about to go.
    static constexpr std::array<std::string_view, 5> kListOrder = {"inbox.dat", "out.dat", "junk.dat", "trash.dat",
                                                                   "sent.dat"};
    for (const auto list : kListOrder) base::RemoveFile(base::FindIgnoringCase(programFolder, list));
    base::SyncFolder(programFolder);
    static constexpr std::array<std::string_view, 8> kFolderOrder = {"Save", "Dec",   "Enc",  "In",
                                                                     "Out",  "Trash", "Junk", "Sent"};
    for (const auto folder : kFolderOrder) KillMessages(programFolder, folder);
  }
  dialogs.Show({"Boxes have been reset.", "", base::Buttons::Ok, base::Icon::None});
  return true;
}

}  // namespace ostrel::store
