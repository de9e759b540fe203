#include "app/key_commands.h"

#include <ostream>

#include "base/dialogs.h"
#include "keys/key_generator.h"
#include "keys/key_management.h"

namespace ostrel::app {
namespace {

// Message boxes go to standard error; questions get the answer given on the
// command line, since nobody is there to ask.
class ScriptDialogs : public base::Dialogs {
 public:
  ScriptDialogs(std::ostream& err, base::Answer answer) : err_(err), answer_(answer) {}
  void Show(const base::MessageBox& box) override { err_ << box.text << "\n"; }
  base::Answer Ask(const base::MessageBox& box) override {
    err_ << box.text << " " << (answer_ == base::Answer::Yes ? "Yes" : "No") << "\n";
    return answer_;
  }
  void SetStatus(std::string_view) override {}

 private:
  std::ostream& err_;
  base::Answer answer_;
};

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
  const auto view = keys::AddOrUpdateKey(line.Required("folder"), editor, dialogs);
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
