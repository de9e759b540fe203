#include "app/command_line.h"

#include <algorithm>
#include <string_view>

namespace ostrel::app {

std::optional<std::string> CommandLine::Option(const std::string& name) const {
  const auto it = options.find(name);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

std::vector<std::string> CommandLine::List(const std::string& name) const {
  const auto it = lists.find(name);
  if (it == lists.end()) return {};
  return it->second;
}

std::string CommandLine::Required(const std::string& name) const {
  const auto value = Option(name);
  if (!value) throw UsageError(command + " needs --" + name);
  return *value;
}

void CommandLine::ExpectArguments(std::size_t count) const {
  if (arguments.size() != count) {
    throw UsageError(command + " takes " + std::to_string(count) + " argument" + (count == 1 ? "" : "s") +
                     ", not " + std::to_string(arguments.size()));
  }
}

CommandLine ParseCommandLine(const std::vector<std::string>& words) {
  CommandLine line;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (!optionsEnded && word == "--") {
      optionsEnded = true;
      continue;
    }
    if (!optionsEnded && (word == "--help" || word == "-h")) {
      line.help = true;
      continue;
    }
    if (!optionsEnded && word.size() > 2 && word.starts_with("--")) {
      const std::size_t equals = word.find('=');
      const std::string name = word.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
      const bool flag = std::any_of(std::begin(kFlagOptions), std::end(kFlagOptions),
                                    [&name](std::string_view option) { return option == name; });
      if (flag && equals == std::string::npos) {
        line.flags.insert(name);
        continue;
      }
      const bool listed = std::any_of(std::begin(kListOptions), std::end(kListOptions),
                                      [&name](std::string_view option) { return option == name; });
      const bool known = listed || std::any_of(std::begin(kValueOptions), std::end(kValueOptions),
                                               [&name](std::string_view option) { return option == name; });
      if (!known) throw UsageError("unknown option " + word);
      if (!listed && line.options.count(name) != 0) throw UsageError("--" + name + " given twice");
      std::string value;
      if (equals != std::string::npos) {
        value = word.substr(equals + 1);
      } else if (i + 1 < words.size()) {
        value = words[++i];
      } else {
        throw UsageError("--" + name + " needs a value");
      }
      if (listed) {
        line.lists[name].push_back(std::move(value));
      } else {
        line.options[name] = std::move(value);
      }
      continue;
    }
    if (line.command.empty()) {
      line.command = word;
    } else {
      line.arguments.push_back(word);
    }
  }
  return line;
}

}  // namespace ostrel::app
