#include "app/store_commands.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <stdexcept>

#include "app/progress_line.h"
#include "base/ansi_text.h"
#include "base/fixed_records.h"
#include "engine/hex_text.h"
#include "keys/key_store.h"
#include "store/attachments.h"
#include "store/box_emptying.h"
#include "store/box_view.h"
#include "store/boxes.h"
#include "store/data_folders.h"
#include "store/date_text.h"
#include "store/import_reset.h"
#include "store/interrupted_runs.h"
#include "store/mail_box.h"
#include "store/message_files.h"
#include "store/message_view.h"
#include "store/program_folder.h"
#include "store/trash_moves.h"

namespace ostrel::app {
namespace {

// The program folder, tidied after a killed run as the program's start-up does.
std::string ProgramFolderOf(const CommandLine& line) {
  std::string folder = store::ChooseProgramFolder(store::ExecutableFolder(), store::FolderEnvironment::FromProcess(),
                                                  line.Option("folder"));
  store::TidyAfterInterruptedRuns(folder);
  return folder;
}

const store::BoxInfo& BoxArgument(const std::string& name) {
  const store::BoxInfo* box = store::FindShownBox(name);
  if (box == nullptr) throw UsageError("BOX is one of In, Sent, Junk, Trash, not \"" + name + "\"");
  return *box;
}

std::size_t RecordArgument(const std::string& text) {
  std::size_t used = 0;
  long long value = 0;
  try {
    value = std::stoll(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || value < 1) throw UsageError("N is a record number from 1, not \"" + text + "\"");
  return static_cast<std::size_t>(value);
}

std::string WithoutTrailingBlanks(std::string_view text) { return std::string(base::TrimTrailingBlanks(text)); }

int ListBoxes(const CommandLine& line, Streams& streams) {
  line.ExpectArguments(0);
  const std::string folder = ProgramFolderOf(line);
  for (const auto& box : store::kBoxes) {
    streams.out << box.name << "\t" << store::MailBox(folder, box.name).Count() << "\n";
  }
  return 0;
}

int ListRows(const CommandLine& line, Streams& streams) {
  line.ExpectArguments(1);
  const auto view = store::LoadBoxView(ProgramFolderOf(line), BoxArgument(line.arguments[0]).name);
  for (const auto& row : view->rows) {
    streams.out << row.record << "\t" << WithoutTrailingBlanks(row.From) << "\t" << WithoutTrailingBlanks(row.Subject)
                << "\t" << WithoutTrailingBlanks(row.Date) << "\n";
  }
  return 0;
}

int ShowMessage(const CommandLine& line, Streams& streams) {
  line.ExpectArguments(2);
  const std::string folder = ProgramFolderOf(line);
  const store::MailBox box(folder, BoxArgument(line.arguments[0]).name);
  const std::size_t record = RecordArgument(line.arguments[1]);
  const auto stored = box.Read(record);
  if (!stored) throw std::runtime_error("The box has no record " + std::to_string(record) + ".");
  const std::string name = stored->MessageName();
  const std::string shownName = std::string(box.Info().name) + "/" + name + ".txt";
  const store::OpenedMessage message =
      store::ReadMessage(store::IsSafeMessageName(name) ? box.TextPath(name) : std::filesystem::path(), shownName);
  if (message.fileMissing) throw std::runtime_error("The message file " + shownName + " is missing.");
  if (!line.Flag("decrypt")) {
    streams.out << message.text;
    return 0;
  }
  std::string text = message.text;
  engine::HexDecode(text);
  WorkSession session(line.Option("work"));
  CommandLine withFolder = line;
  withFolder.options.erase("key");
  withFolder.options["folder"] = folder;
  LoadCommandKey(session, withFolder);
  session.Engine().DecryptText(text);
  streams.out << base::FromAnsi(text);
  return 0;
}

int DeleteRecord(const CommandLine& line, Streams&) {
  line.ExpectArguments(2);
  const std::string box(BoxArgument(line.arguments[0]).name);
  const std::size_t record = RecordArgument(line.arguments[1]);
  if (!store::DeleteMessage(ProgramFolderOf(line), box, record)) {
    throw std::runtime_error("The box has no record " + std::to_string(record) + ".");
  }
  return 0;
}

int EmptyTrash(const CommandLine& line, Streams&) {
  line.ExpectArguments(0);
  store::EmptyTheTrash(ProgramFolderOf(line));
  return 0;
}

// The program folder of a command that writes into it, with its data folders
// and index files made as start-up makes them, so that a new folder works.
std::string WritableProgramFolderOf(const CommandLine& line) {
  const std::string folder = ProgramFolderOf(line);
  store::MakeDataFolders(folder);
  return folder;
}

int ImportMessage(const CommandLine& line, Streams& streams) {
  line.ExpectArguments(1);
  streams.out << store::ImportMessage(WritableProgramFolderOf(line), line.arguments[0], store::CurrentDateText())
              << "\n";
  return 0;
}

int ImportAttachment(const CommandLine& line, Streams& streams) {
  line.ExpectArguments(1);
  const std::string folder = WritableProgramFolderOf(line);
  ProgressLine progress(streams.err, streams.errIsTerminal);
  std::optional<TimedProgress> working;
  if (const std::uintmax_t bytes = FileBytes(line.arguments[0]); bytes >= kLongFileBytes) {
    working.emplace(progress, FileWorkText("Importing", line.arguments[0], bytes));
  }
  const std::filesystem::path saved = store::ImportAttachment(folder, line.arguments[0]);
  if (saved.extension() != ".enc") {
    working.reset();
    streams.out << saved.string() << "\n";
    return 0;
  }
  WorkSession session(line.Option("work"));
  CommandLine withFolder = line;
  withFolder.options["folder"] = folder;
  LoadCommandKey(session, withFolder);
  const store::AttachmentCheck check = store::CheckAttachments(folder, session.Engine());
  working.reset();
  for (const auto& failed : check.failedNames) streams.err << "Not deciphered: " << failed << "\n";
  if (!check.failedNames.empty()) return 1;
  streams.out << (std::filesystem::path(folder) / "Dec" / saved.stem()).string() << "\n";
  return 0;
}

}  // namespace

void LoadCommandKey(WorkSession& session, const CommandLine& line) {
  if (const auto key = line.Option("key")) {
    session.LoadKey(*key);
    return;
  }
  if (!line.Option("folder")) throw UsageError("--key KEY or --folder DIR is needed");
  const std::string folder = ProgramFolderOf(line);
  const auto defaultKey = keys::ReadDefaultKey(folder);
  if (!defaultKey) throw std::runtime_error("No default key is defined in " + folder + ".");
  std::string keyText = defaultKey->keyText;
  session.Engine().LoadKey(keyText);
}

std::vector<Command> StoreCommands() {
  return {
      {"boxes", "[--folder DIR]", "shows each mail box with its number of messages", ListBoxes},
      {"list", "[--folder DIR] BOX", "lists a box newest first: record number, From, Subject, Date, tab-separated",
       ListRows},
      {"show", "[--folder DIR] BOX N [--decrypt]",
       "writes the text of record N; --decrypt deciphers it under the default key", ShowMessage},
      {"delete", "[--folder DIR] BOX N", "deletes record N as Delete Msg does (to the Trash, or for good)",
       DeleteRecord},
      {"empty-trash", "[--folder DIR]", "deletes every message in the Trash", EmptyTrash},
      {"import-message", "[--folder DIR] FILE", "files a copy of FILE as a new In box message and prints its name",
       ImportMessage},
      {"import-attachment", "[--folder DIR] FILE",
       "copies FILE into Save; a .enc file is deciphered into Dec under the default key", ImportAttachment},
  };
}

}  // namespace ostrel::app
