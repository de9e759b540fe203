#include "app/key_commands.h"

#include <ostream>

#include "app/script_dialogs.h"
#include "keys/key_generator.h"
#include "keys/key_management.h"
#include "store/data_folders.h"

namespace ostrel::app {
namespace {

int ListKeys(const CommandLine& line, Streams& streams) {
  line.ExpectArguments(0);
  const keys::KeyManagementView view = keys::OpenKeyManagement(line.Required("folder"));
  streams.out << view.summary << "\n";
  for (const std::string& name : view.names) streams.out << name << "\n";
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
      {"keys", "--folder DIR", "shows the key summary and the key names in store order", ListKeys},
      {"add-key", "--folder DIR NAME KEY [--default] [--yes]",
       "adds or updates a key as key management does; --yes stores a key that protects nothing", AddKey},
      {"generate-key", "", "prints a new 18-digit key", GenerateKey},
  };
}

}  // namespace ostrel::app
