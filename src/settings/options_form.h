#pragma once
// What the options window shows and does: loading from the two settings
// files, picking an earlier account, the e-mail address that follows the user
// name, the colour and font choices, and Save. Cancel writes nothing.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/dialogs.h"
#include "settings/mail_options.h"

namespace ostrel::settings {

inline constexpr std::string_view kOptionsSampleText = "This is a test.";

struct OptionsForm {
  std::vector<std::string> accountNames;  // the POP server drop-down list
  MailOptions fields;                      // the five text boxes and five check boxes
  TextLook sample;                         // the look of the sample box
};

// The window as it opens. Without settings the text boxes are empty and the
// check boxes and the sample keep their designed states.
OptionsForm LoadOptionsForm(const std::filesystem::path& programFolder, const OptionsForm& designed = {});

// Fills the form from the first account whose key equals picked; returns
// false and changes nothing when there is none. The look does not change.
bool PickAccount(const std::filesystem::path& programFolder, std::string_view picked, OptionsForm& form);

// The e-mail address box after a change of the user name: the user name
// itself when it holds "@"; else user name, "@" and the POP server after its
// first "." when the server name holds a "."; the current address otherwise.
std::string EmailAddressForUserName(std::string_view popServer, std::string_view userName,
                                    std::string_view currentAddress);

// The colour and font choosers: a returned 0 (black, or a cancelled chooser
// before any choice) and an empty font name change nothing.
void TakeChosenColour(std::int32_t chosen, std::int32_t& colour);
void TakeChosenFont(std::string_view fontName, float fontSize, TextLook& look);

// A value the options file could not read back as written (a comma or a line
// break anywhere, a leading blank or double quote), with the message naming
// its box; nothing when every value is fine.
std::optional<std::string> OptionsValueProblem(const OptionsForm& form);

// Save: refuses a value the file could not hold (message through dialogs,
// returns false, nothing written); otherwise writes "email.opt", stores the
// account and sets mailOptions. The caller then applies form.sample to the
// main window's message text. Throws std::system_error, having written
// nothing, when either file exists but may not be written.
bool SaveOptions(const std::filesystem::path& programFolder, const OptionsForm& form, MailOptions& mailOptions,
                 base::Dialogs& dialogs);

}  // namespace ostrel::settings
