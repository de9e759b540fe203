#include "app/settings_commands.h"

#include <istream>
#include <ostream>
#include <string>

#include "app/script_dialogs.h"
#include "settings/options_form.h"
#include "store/data_folders.h"

namespace ostrel::app {
namespace {

// The account fields given on the command line replace those stored; the
// others, the check boxes and the look stay as they are. The password is read
// from the first line of standard input, so it never shows in a process list.
int SetOptions(const CommandLine& line, Streams& streams) {
  line.ExpectArguments(0);
  const std::string folder = line.Required("folder");
  store::MakeDataFolders(folder);
  settings::OptionsForm form = settings::LoadOptionsForm(folder);
  settings::MailOptions& fields = form.fields;
  if (const auto value = line.Option("pop-server")) fields.PopServer = *value;
  if (const auto value = line.Option("smtp-server")) fields.SmtpServer = *value;
  if (const auto value = line.Option("user")) fields.UserName = *value;
  if (const auto value = line.Option("email")) fields.EmailAddress = *value;
  if (line.Flag("password-stdin")) {
    std::string password;
    std::getline(streams.in, password);
    if (password.ends_with('\r')) password.pop_back();
    fields.Password = password;
  }
  ScriptDialogs dialogs(streams.err, base::Answer::No);
  settings::MailOptions saved;
  return settings::SaveOptions(folder, form, saved, dialogs) ? 0 : 1;
}

}  // namespace

std::vector<Command> SettingsCommands() {
  return {
      {"set-options",
       "--folder DIR [--pop-server SERVER] [--smtp-server SERVER] [--user NAME] [--email ADDRESS] "
       "[--password-stdin]",
       "stores the mail account as the options window's Save does; the password is the first line of standard input",
       SetOptions},
  };
}

}  // namespace ostrel::app
