#include "app/key_commands.h"

#include <ostream>

#include "app/script_dialogs.h"
#include "keys/key_check_code.h"
#include "keys/key_generator.h"
#include "keys/key_management.h"
#include "store/data_folders.h"
#include "keys/key_store.h"

namespace ostrel::app {
namespace {

// The check code first: its width is fixed, so the names line up after it
// whatever they hold.
int ListKeys(const CommandLine& line, Streams& streams) {
  line.ExpectArguments(0);
  const std::string folder = line.Required("folder");
  const keys::KeyManagementView view = keys::OpenKeyManagement(folder);
  streams.out << view.summary << "\n";
  for (const keys::KeyRecord& record : keys::ReadKeys(folder)) {
    std::string code = record.keyText.empty() ? "(no key text)" : keys::KeyCheckCode(record.keyText);
    code.resize(keys::kKeyCheckCodeLength, ' ');
    streams.out << code << "  " << record.name << "\n";
  }
  return 0;
}

int CheckKey(const CommandLine& line, Streams& streams) {
  line.ExpectArguments(1);
  const auto code = keys::TypedKeyCheckCode(line.arguments[0]);
  if (!code) {
    streams.err << "The key is empty: there is no check code to show.\n";
    return 1;
  }
  streams.out << *code << "\n";
  return 0;
}

int AddKey(const CommandLine& line, Streams& streams) {
  line.ExpectArguments(2);
  ScriptDialogs dialogs(streams.err, line.Flag("yes") ? base::Answer::Yes : base::Answer::No);
  const keys::KeyEditor editor{line.arguments[0], line.arguments[1], line.Flag("default")};
  const std::string folder = line.Required("folder");
  store::MakeDataFolders(folder);
  const auto view = keys::AddOrUpdateKey(folder, editor, dialogs);
  if (!view) return 1;
  streams.out << view->summary << "\n";
  return 0;
}

int GenerateKey(const CommandLine& line, Streams& streams) {
  line.ExpectArguments(0);
  keys::SystemRandomSource random;
  streams.out << keys::GenerateKey(random) << "\n";
  return 0;
}

}  // namespace

std::vector<Command> KeyCommands() {
  return {
      {"keys", "--folder DIR",
       "shows the key summary, then each key's check code and name in store order", ListKeys},
      {"key-check", "KEY",
       "prints the check code of KEY, which matches a correspondent's only when both hold the same key", CheckKey},
      {"add-key", "--folder DIR NAME KEY [--default] [--yes]",
       "adds or updates a key as key management does; --yes stores a key that protects nothing", AddKey},
      {"generate-key", "", "prints a new 18-digit key", GenerateKey},
  };
}

}  // namespace ostrel::app
