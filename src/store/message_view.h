#pragma once
// Opening a message: the text the message pane shows, whether "Decrypt" and
// the key list are usable, and the page for the browser window when the
// message is HTML.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel::store {

inline constexpr const char* kWebPageName = "web.html";

struct OpenedMessage {
  std::string text;             // UTF-8, each line followed by CR LF
  bool decryptEnabled = false;  // "Decrypt" and the key list: the text holds cipher text
  bool fileMissing = false;     // the text is a notice, not the message
  // The page for the browser window, when the text holds "<html>" in any
  // case: the file's lines joined with nothing between them, then CR LF.
  std::optional<std::string> webPage;
};

// The pane text of stored message bytes: every line, however it was ended
// (CR LF, CR or LF), followed by CR LF.
std::string PaneText(std::string_view bytes);

// True when the text holds nothing but "0123456789ABCDEF", CR and LF; an
// empty text counts as hex cipher text.
bool IsHexText(std::string_view text);

// What "Decrypt" works on: the hex cipher text, and the rest of the pane it
// leaves as it stands.
struct CipherText {
  std::string_view hex;
  std::string_view rest;
};

// The whole text when it is hex text. Otherwise hex lines followed by the
// attachment lines of a Sent copy ("<ATTACHMENT ...", right after the last
// hex digit or on a line of its own) or by a blank line and plain text (a
// signature added after "Encrypt"): hex ends at its last digit, which must
// make whole bytes. Nothing for any other text.
std::optional<CipherText> SplitCipherText(std::string_view text);

// The stored lines with their line ends removed, then CR LF.
std::string JoinedLines(std::string_view bytes);

// Reads a message's text file. A missing file gives a clear notice naming it
// in place of the message, with "Decrypt" disabled and no browser page.
OpenedMessage ReadMessage(const std::filesystem::path& textFile, std::string_view shownName);

}  // namespace ostrel::store
