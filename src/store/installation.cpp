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
    Run.SetupMissing = true;
    return std::nullopt;
  }
  const auto options = settings::ReadOptions(ProgramFolder);
  settings::TextLook look;
  if (options) {
    MailOptions = options->options;
    look = options->look;
  }
  if (MailOptions.CheckMailOnStartup) Run.StartupCheckPending = true;
  Selection.CurrentBox = BoxName::In;
  LoadDefaultKey();
  return look;
}

Activation Installation::ActivationStep() {
  Activation activation;
  if (!Run.FirstActivationDone) {
    activation.showNotice = LengthCreatingEmpty(DataPath(kNoticeMarkerName), 0644) == 0;
    Run.FirstActivationDone = true;
  }
  const auto keyRecords = keys::ReadKeys(ProgramFolder);
  activation.keyNames = keys::KeyNames(keyRecords);
  activation.shownKeyName = keys::ShownKeyName(keyRecords, CurrentKey);
  if (Run.SetupMissing) return activation;
  if (Run.StartupCheckPending) {
    Run.StartupCheckPending = false;
    activation.next = Activation::Next::CheckMail;
    return activation;
  }
  activation.next = Activation::Next::ShowBox;
  activation.box = LoadBox();
  return activation;
}

void Installation::ExitStep(const base::ProgressReport& progress) {
  if (MailOptions.EmptyTrashOnExit) EmptyTheTrash(progress);
  Engine.CleanUpEngine();
}

void Installation::SettingsSaved() {
  if (!Run.SetupMissing) return;
  Run.SetupMissing = false;
  if (!Selection.CurrentBox) Selection.CurrentBox = BoxName::In;
}

std::optional<BoxView> Installation::LoadBox() {
  // A move another run was killed in would show its message in two boxes.
  try {
    SettleInterruptedWork(ProgramFolder);
  } catch (const std::system_error&) {
    // The next move or start tries again; the box is shown as it is.
  }
  if (!Selection.CurrentBox) return std::nullopt;
  return LoadBoxView(ProgramFolder, NameOf(*Selection.CurrentBox));
}

std::optional<BoxView> Installation::ChooseBox(BoxName box) {
  if (!IsShown(box)) return std::nullopt;
  Selection.CurrentBox = box;
  return LoadBox();
}

std::int64_t Installation::RecordNumberOf(std::string_view cell) {
  return base::RoundHalfEven(base::NumericValue(cell), 0, std::numeric_limits<std::int64_t>::max());
}

bool Installation::ShowsBox() const { return Selection.CurrentBox && IsShown(*Selection.CurrentBox); }

bool Installation::SelectRow(std::int64_t record) {
  if (record < 1 || !ShowsBox()) return false;
  Selection.CurrentRecord = record;
  const auto stored = MailBox(ProgramFolder, *Selection.CurrentBox).Read(static_cast<std::size_t>(record));
  if (!stored) return false;
  Selection.SelectedFrom = std::string(base::TrimBlanks(stored->From));
  Selection.SelectedSubject = std::string(base::TrimBlanks(stored->Subject));
  Selection.SelectedDate = std::string(base::TrimBlanks(stored->Date));
  return true;
}

std::optional<OpenedMessage> Installation::OpenMessage(std::int64_t record) {
  if (record < 1 || !ShowsBox()) return std::nullopt;
  Selection.CurrentRecord = record;
  const MailBox box(ProgramFolder, *Selection.CurrentBox);
  const auto stored = box.Read(static_cast<std::size_t>(record));
  if (!stored) {
    OpenedMessage gone;
    gone.fileMissing = true;
    gone.text = "This message is no longer in the box.\r\n";
    return gone;
  }
  Selection.CurrentMessage = stored->MessageName();
  const std::string& name = Selection.CurrentMessage;
  const std::string shownName = std::string(box.Info().name) + "/" + name + ".txt";
  OpenedMessage message =
      IsSafeMessageName(name) ? ReadMessage(box.TextPath(name), shownName) : ReadMessage({}, shownName);
  if (message.webPage) {
    try {
      base::ReplaceFile(DataPath(kWebPageName), *message.webPage);
    } catch (const std::system_error& error) {
      dialogs_.Show(Notice(std::string("The web view could not be prepared: ") + error.what(),
                           base::Icon::Exclamation));
      message.webPage.reset();
    }
  }
  return message;
}

std::optional<BoxView> Installation::DeleteMsg() {
  if (!ShowsBox() || Selection.CurrentRecord < 1) return std::nullopt;
  const std::string_view boxName = NameOf(*Selection.CurrentBox);
  MailBox(ProgramFolder, boxName).RequireWritableList();
  MailBox(ProgramFolder, BoxName::Trash).RequireWritableList();
  try {
    const auto deleted = DeleteMessage(ProgramFolder, boxName, static_cast<std::size_t>(Selection.CurrentRecord));
    if (deleted) Selection.CurrentMessage = *deleted;
  } catch (const TrashCopyError& error) {
    dialogs_.Show(Notice(error.what(), base::Icon::Exclamation));
  }
  return LoadBox();
}

void Installation::KillMessages(std::string_view box) { store::KillMessages(ProgramFolder, box); }

void Installation::EmptyTheTrash(const base::ProgressReport& progress) {
  std::string last = store::EmptyTheTrash(ProgramFolder, progress);
  if (!last.empty()) Selection.CurrentMessage = std::move(last);
}

std::optional<BoxName> Installation::CleanUpBoxFromCaption(std::string_view caption) {
  const auto blank = caption.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  const std::string_view word = caption.substr(0, blank);
  for (const BoxInfo& box : kBoxes) {
    if (!box.caption.empty() && box.caption == word) return box.box;
  }
  return std::nullopt;
}

std::optional<BoxView> Installation::ImportMessage(const std::filesystem::path& chosenFile) {
  try {
    Selection.CurrentMessage = store::ImportMessage(ProgramFolder, chosenFile, CurrentDateText());
  } catch (const ImportError& error) {
    dialogs_.Show(Notice(error.what(), base::Icon::Exclamation));
    return std::nullopt;
  }
  if (Selection.CurrentBox == BoxName::In) return LoadBox();
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
