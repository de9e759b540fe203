#include "store/installation.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <limits>
#include <system_error>

#include "base/fixed_records.h"
#include "base/number_text.h"
#include "base/safe_file.h"
#include "keys/key_selection.h"
#include "keys/key_store.h"
#include "store/box_emptying.h"
#include "store/boxes.h"
#include "store/data_folders.h"
#include "base/runtime_folder.h"
#include "store/date_text.h"
#include "store/import_reset.h"
#include "store/interrupted_runs.h"
#include "store/journals.h"
#include "store/mail_box.h"
#include "store/message_files.h"
#include "store/trash_moves.h"

namespace ostrel::store {
namespace {

constexpr const char* kSetupMessage =
    "Setup has not been performed.  Click File/Options and define your parameters.";
constexpr const char* kNoticeMarkerName = "opt.dne";

// Length of a file, created empty (with these permissions) when missing.
std::uintmax_t LengthCreatingEmpty(const std::filesystem::path& path, mode_t mode) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, mode);
  if (fd < 0) return 0;
  struct stat info {};
  const bool known = ::fstat(fd, &info) == 0;
  ::close(fd);
  return known ? static_cast<std::uintmax_t>(info.st_size) : 0;
}

base::MessageBox Notice(std::string text, base::Icon icon = base::Icon::None) {
  return base::MessageBox{std::move(text), "", base::Buttons::Ok, icon};
}

}  // namespace

Installation::Installation(std::string programFolder, base::Dialogs& dialogs)
    : ProgramFolder(std::move(programFolder)), Engine(base::RuntimeFolderFor(ProgramFolder).value_or(ProgramFolder), ProgramFolder), dialogs_(dialogs) {}

void Installation::LoadDefaultKey() {
  // A default key that cannot be loaded leaves no key current, so that no key
  // list shows a key as active without its keyspace behind it.
  if (!keys::LoadDefaultKey(ProgramFolder, Engine, CurrentKey, dialogs_)) CurrentKey.clear();
}

std::optional<settings::TextLook> Installation::LoadStep() {
  dialogs_.SetStatus("");
  MakeDataFolders(ProgramFolder);
  TidyAfterInterruptedRuns(ProgramFolder);
  if (!settings::HasSettings(ProgramFolder)) {
    dialogs_.Show(Notice(kSetupMessage));
    SetupMissing = true;
    return std::nullopt;
  }
  const auto options = settings::ReadOptions(ProgramFolder);
  settings::TextLook look;
  if (options) {
    MailOptions = options->options;
    look = options->look;
  }
  if (MailOptions.CheckMailOnStartup) StartupCheckPending = true;
  CurrentBox = "In";
  LoadDefaultKey();
  return look;
}

Activation Installation::ActivationStep() {
  Activation activation;
  if (!FirstActivationDone) {
    activation.showNotice = LengthCreatingEmpty(DataPath(kNoticeMarkerName), 0644) == 0;
    FirstActivationDone = true;
  }
  const auto keyRecords = keys::ReadKeys(ProgramFolder);
  activation.keyNames = keys::KeyNames(keyRecords);
  activation.shownKeyName = keys::ShownKeyName(keyRecords, CurrentKey);
  if (SetupMissing) return activation;
  if (StartupCheckPending) {
    StartupCheckPending = false;
    activation.next = Activation::Next::CheckMail;
    return activation;
  }
  activation.next = Activation::Next::ShowBox;
  activation.box = LoadBox();
  return activation;
}

void Installation::ExitStep(const base::ProgressReport& progress) {
  if (MailOptions.EmptyTrashOnExit) EmptyTheTrash(progress);
  CipherTextBuffer.clear();
  Engine.CleanUpEngine();
}

void Installation::SettingsSaved() {
  if (!SetupMissing) return;
  SetupMissing = false;
  if (CurrentBox.empty()) CurrentBox = "In";
}

std::optional<BoxView> Installation::LoadBox() {
  // A move another run was killed in would show its message in two boxes.
  try {
    SettleInterruptedWork(ProgramFolder);
  } catch (const std::system_error&) {
    // The next move or start tries again; the box is shown as it is.
  }
  return LoadBoxView(ProgramFolder, CurrentBox);
}

std::optional<BoxView> Installation::ChooseBox(std::string_view box) {
  if (FindShownBox(box) == nullptr) return std::nullopt;
  CurrentBox = std::string(box);
  return LoadBox();
}

std::int64_t Installation::RecordNumberOf(std::string_view cell) {
  return base::RoundHalfEven(base::NumericValue(cell), 0, std::numeric_limits<std::int64_t>::max());
}

bool Installation::SelectRow(std::int64_t record) {
  if (record < 1 || FindShownBox(CurrentBox) == nullptr) return false;
  CurrentRecord = record;
  const auto stored = MailBox(ProgramFolder, CurrentBox).Read(static_cast<std::size_t>(record));
  if (!stored) return false;
  SelectedFrom = std::string(base::TrimBlanks(stored->From));
  SelectedSubject = std::string(base::TrimBlanks(stored->Subject));
  SelectedDate = std::string(base::TrimBlanks(stored->Date));
  return true;
}

std::optional<OpenedMessage> Installation::OpenMessage(std::int64_t record) {
  if (record < 1 || FindShownBox(CurrentBox) == nullptr) return std::nullopt;
  CurrentRecord = record;
  const MailBox box(ProgramFolder, CurrentBox);
  const auto stored = box.Read(static_cast<std::size_t>(record));
  if (!stored) {
    OpenedMessage gone;
    gone.fileMissing = true;
    gone.text = "This message is no longer in the box.\r\n";
    return gone;
  }
  CurrentMessage = stored->MessageName();
  const std::string shownName = CurrentBox + "/" + CurrentMessage + ".txt";
  OpenedMessage message = IsSafeMessageName(CurrentMessage) ? ReadMessage(box.TextPath(CurrentMessage), shownName)
                                                     : ReadMessage({}, shownName);
  if (message.webPage) {
    try {
      base::ReplaceFile(DataPath(kWebPageName), *message.webPage);
      HelpTopic.clear();
    } catch (const std::system_error& error) {
      dialogs_.Show(Notice(std::string("The web view could not be prepared: ") + error.what(),
                           base::Icon::Exclamation));
      message.webPage.reset();
    }
  }
  return message;
}

std::optional<BoxView> Installation::DeleteMsg() {
  if (FindShownBox(CurrentBox) == nullptr || CurrentRecord < 1) return std::nullopt;
  MailBox(ProgramFolder, CurrentBox).RequireWritableList();
  MailBox(ProgramFolder, "Trash").RequireWritableList();
  try {
    const auto deleted = DeleteMessage(ProgramFolder, CurrentBox, static_cast<std::size_t>(CurrentRecord));
    if (deleted) CurrentMessage = *deleted;
  } catch (const TrashCopyError& error) {
    dialogs_.Show(Notice(error.what(), base::Icon::Exclamation));
  }
  return LoadBox();
}

void Installation::KillMessages(std::string_view box) { store::KillMessages(ProgramFolder, box); }

void Installation::EmptyTheTrash(const base::ProgressReport& progress) {
  std::string last = store::EmptyTheTrash(ProgramFolder, progress);
  if (!last.empty()) CurrentMessage = std::move(last);
}

std::optional<std::string> Installation::CleanUpBoxFromCaption(std::string_view caption) {
  const auto blank = caption.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  const std::string_view word = caption.substr(0, blank);
  if (word == "InBox") return std::string("In");
  if (word == "Sent" || word == "Junk" || word == "Trash") return std::string(word);
  return std::nullopt;
}

std::optional<BoxView> Installation::ImportMessage(const std::filesystem::path& chosenFile) {
  try {
    CurrentMessage = store::ImportMessage(ProgramFolder, chosenFile, CurrentDateText());
  } catch (const ImportError& error) {
    dialogs_.Show(Notice(error.what(), base::Icon::Exclamation));
    return std::nullopt;
  }
  if (CurrentBox == "In") return LoadBox();
  return std::nullopt;
}

std::optional<std::filesystem::path> Installation::ImportAttachment(const std::filesystem::path& chosenFile) {
  try {
    return store::ImportAttachment(ProgramFolder, chosenFile);
  } catch (const ImportError& error) {
    dialogs_.Show(Notice(error.what(), base::Icon::Exclamation));
    return std::nullopt;
  }
}

std::optional<BoxView> Installation::ResetAllBoxes() {
  if (!store::ResetAllBoxes(ProgramFolder, dialogs_)) return std::nullopt;
  return LoadBox();
}

}  // namespace ostrel::store
