#include "settings/options_form.h"

#include <utility>

#include "base/write_check.h"
#include "settings/accounts.h"

namespace ostrel::settings {
namespace {

bool FileCannotHold(std::string_view value) {
  if (value.find_first_of(",\r\n") != std::string_view::npos) return true;
  return !value.empty() && (value.front() == ' ' || value.front() == '"');
}

}  // namespace

OptionsForm LoadOptionsForm(const std::filesystem::path& programFolder, const OptionsForm& designed) {
  OptionsForm form = designed;
  form.accountNames = ListAccounts(programFolder);
  if (const auto stored = ReadOptions(programFolder)) {
    form.fields = stored->options;
    form.sample = stored->look;
  } else {
    form.fields.PopServer.clear();
    form.fields.SmtpServer.clear();
    form.fields.UserName.clear();
    form.fields.Password.clear();
    form.fields.EmailAddress.clear();
  }
  return form;
}

bool PickAccount(const std::filesystem::path& programFolder, std::string_view picked, OptionsForm& form) {
  auto account = FindAccount(programFolder, picked);
  if (!account) return false;
  form.fields = std::move(*account);
  return true;
}

std::string EmailAddressForUserName(std::string_view popServer, std::string_view userName,
                                    std::string_view currentAddress) {
  // A user name that already is an address is the address.
  if (userName.find('@') != std::string_view::npos) return std::string(userName);
  const auto dot = popServer.find('.');
  if (dot == std::string_view::npos) return std::string(currentAddress);
  return std::string(userName) + "@" + std::string(popServer.substr(dot + 1));
}

void TakeChosenColour(std::int32_t chosen, std::int32_t& colour) {
  if (chosen != 0) colour = chosen;
}

void TakeChosenFont(std::string_view fontName, float fontSize, TextLook& look) {
  if (fontName.empty()) return;
  look.fontName = fontName;
  look.fontSize = fontSize;
}

std::optional<std::string> OptionsValueProblem(const OptionsForm& form) {
  const std::pair<std::string_view, const std::string*> boxes[] = {
      {"POP ServerName", &form.fields.PopServer}, {"SMTP ServerName", &form.fields.SmtpServer},
      {"Username", &form.fields.UserName},        {"Password", &form.fields.Password},
      {"Email Address", &form.fields.EmailAddress}, {"Font", &form.sample.fontName}};
  for (const auto& [label, value] : boxes) {
    if (FileCannotHold(*value)) {
      return std::string(label) + " cannot hold a comma or a line break, nor begin with a blank or a double quote.";
    }
  }
  return std::nullopt;
}

bool SaveOptions(const std::filesystem::path& programFolder, const OptionsForm& form, MailOptions& mailOptions,
                 base::Dialogs& dialogs) {
  if (const auto problem = OptionsValueProblem(form)) {
    dialogs.Show(base::PlainBox(*problem));
    return false;
  }
  // Both files are looked at before either is written, so a refused one
  // leaves the other as it was.
  base::RequireWritable(programFolder / kOptionsFileName);
  base::RequireWritable(programFolder / kAccountsFileName);
  WriteOptions(programFolder, {form.fields, form.sample});
  StoreAccount(programFolder, form.fields);
  mailOptions = form.fields;
  return true;
}

}  // namespace ostrel::settings
