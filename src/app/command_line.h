#pragma once
// The ostrel tool's command line: a command name, options with values
// ("--key KEY" or "--key=KEY") and plain arguments, in any order after the
// command.

#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace ostrel::app {

// A command line that does not fit a command's form; exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CommandLine {
  std::string command;
  std::map<std::string, std::string> options;  // "key" -> value, without the dashes
  std::set<std::string> flags;                 // options without a value, without the dashes
  std::map<std::string, std::vector<std::string>> lists;  // options that may be given again, in order
  std::vector<std::string> arguments;
  bool help = false;

  std::optional<std::string> Option(const std::string& name) const;
  bool Flag(const std::string& name) const { return flags.count(name) != 0; }
  // Every value of an option that may be given again; empty when not given.
  std::vector<std::string> List(const std::string& name) const;
  // The option's value; UsageError when it was not given.
  std::string Required(const std::string& name) const;
  // Exactly count plain arguments; UsageError otherwise.
  void ExpectArguments(std::size_t count) const;
};

// Options that take a value; anything else starting with "--" is refused.
inline constexpr const char* kValueOptions[] = {"key",        "work",        "folder", "to",   "subject",
                                             "pop-server", "smtp-server", "user",   "email"};
// Options with a value that may be given more than once ("--attach A --attach B").
inline constexpr const char* kListOptions[] = {"attach"};
// Options that stand alone ("--default").
inline constexpr const char* kFlagOptions[] = {"default", "yes", "decrypt", "encrypt", "password-stdin"};

CommandLine ParseCommandLine(const std::vector<std::string>& words);

struct Streams {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool errIsTerminal = false;  // long runs show a progress line on err
};

struct Command {
  std::string name;
  std::string usage;    // the arguments after the name
  std::string summary;  // one line
  std::function<int(const CommandLine&, Streams&)> run;
};

}  // namespace ostrel::app
