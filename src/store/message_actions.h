#pragma once
// What the main window does with an opened message: decipher the pane, show
// its raw cipher characters, and the lines a printed message is made of.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/dialogs.h"
#include "engine/engine.h"

namespace ostrel::store {

inline constexpr std::size_t kCipherViewLineLength = 60;
inline constexpr std::size_t kPrintRuleLength = 77;

// "Decrypt": the pane's cipher text (see SplitCipherText) deciphered under
// the key loaded last, as UTF-8 for the pane, followed by the lines after it
// as they stand. cipherTextBuffer holds the work in between. Nothing, after
// telling the person why, when no key is loaded or there is no cipher text.
std::optional<std::string> DecryptPane(std::string_view paneText, engine::Engine& engine,
                                       std::string& cipherTextBuffer, base::Dialogs& dialogs);

// The Actual Encryption viewer's text: the cipher characters of the pane's
// hex text, CR LF after every 60 of them. Control codes are shown as their
// visible pictures so that each cipher character stays one character on
// screen. Nothing when the pane holds no hex text.
std::optional<std::string> CipherViewText(std::string_view paneText, std::string& cipherTextBuffer);

// The printed page: the header of the row right-clicked last, a rule of 77
// "=", then every line of the pane.
std::vector<std::string> PrintLines(std::string_view selectedFrom, std::string_view selectedSubject,
                                    std::string_view selectedDate, std::string_view paneText);

// "View as Web": copies the opened message's web file over "web.html". False
// when the message has no web file (messages in "Sent") or no message is open.
bool PrepareWebView(const std::filesystem::path& programFolder, std::string_view boxName,
                    std::string_view messageName);

}  // namespace ostrel::store
