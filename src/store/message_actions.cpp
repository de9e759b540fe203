#include "store/message_actions.h"

#include "base/ansi_text.h"
#include "base/safe_file.h"
#include "base/text_pieces.h"
#include "engine/hex_text.h"
#include "store/boxes.h"
#include "store/mail_box.h"
#include "store/message_files.h"
#include "store/message_view.h"

namespace ostrel::store {
namespace {

// A cipher byte as one visible character: control codes become the pictures
// of U+2400..U+241F and U+2421, undefined codes a middle dot, every other
// byte its code page character.
std::string VisibleCharacter(unsigned char byte) {
  if (byte < 0x20 || byte == 0x7F) {
    const unsigned picture = byte == 0x7F ? 0x2421u : 0x2400u + byte;
    std::string utf8;
    utf8 += static_cast<char>(0xE0u | (picture >> 12));
    utf8 += static_cast<char>(0x80u | ((picture >> 6) & 0x3Fu));
    utf8 += static_cast<char>(0x80u | (picture & 0x3Fu));
    return utf8;
  }
  if (byte < 0x80) return std::string(1, static_cast<char>(byte));
  std::string character = base::FromAnsi(std::string(1, static_cast<char>(byte)));
  // The five codes the code page leaves undefined would show as nothing.
  const bool undefined = character.size() == 2 && static_cast<unsigned char>(character[0]) == 0xC2 &&
                         static_cast<unsigned char>(character[1]) < 0xA0;
  return undefined ? std::string("\u00B7") : character;
}

}  // namespace

std::optional<std::string> DecryptPane(std::string_view paneText, engine::Engine& engine,
                                       std::string& cipherTextBuffer, base::Dialogs& dialogs) {
  if (!engine.KeyLoaded()) {
    dialogs.Show(base::PlainBox("No key is loaded. Choose the key of this message in the key list first.",
                                 base::Icon::Exclamation));
    return std::nullopt;
  }
  const auto cipher = SplitCipherText(paneText);
  if (!cipher) {
    cipherTextBuffer.clear();
    dialogs.Show(base::PlainBox("The message could not be deciphered. The message pane holds no cipher text.",
                                 base::Icon::Exclamation));
    return std::nullopt;
  }
  cipherTextBuffer = std::string(cipher->hex);
  try {
    engine::HexDecode(cipherTextBuffer);
    engine.DecryptText(cipherTextBuffer);
  } catch (const engine::EngineError& error) {
    cipherTextBuffer.clear();
    dialogs.Show(base::PlainBox(std::string("The message could not be deciphered. ") + error.what(),
                                 base::Icon::Exclamation));
    return std::nullopt;
  }
  std::string plain = base::FromAnsi(cipherTextBuffer);
  // An attachment line that followed the last hex digit starts a line of its own.
  if (!cipher->rest.empty() && cipher->rest.front() != '\r' && cipher->rest.front() != '\n') plain += base::kLineEnd;
  return plain + std::string(cipher->rest);
}

std::optional<std::string> CipherViewText(std::string_view paneText, std::string& cipherTextBuffer) {
  cipherTextBuffer = std::string(paneText);
  try {
    engine::HexDecode(cipherTextBuffer);
  } catch (const engine::EngineError&) {
    cipherTextBuffer.clear();
    return std::nullopt;
  }
  std::string display;
  display.reserve(cipherTextBuffer.size() * 2 + cipherTextBuffer.size() / kCipherViewLineLength * 2);
  std::size_t viewCounter = 0;
  for (const char byte : cipherTextBuffer) {
    display += VisibleCharacter(static_cast<unsigned char>(byte));
    if (++viewCounter == kCipherViewLineLength) {
      viewCounter = 0;
      display += base::kLineEnd;
    }
  }
  return display;
}

std::vector<std::string> PrintLines(std::string_view selectedFrom, std::string_view selectedSubject,
                                    std::string_view selectedDate, std::string_view paneText) {
  std::vector<std::string> lines;
  lines.push_back("   From: " + std::string(selectedFrom));
  lines.push_back("Subject:" + std::string(selectedSubject));
  lines.push_back("   Date:" + std::string(selectedDate));
  lines.emplace_back(kPrintRuleLength, '=');
  std::size_t start = 0;
  while (start < paneText.size()) {
    std::size_t end = paneText.find('\n', start);
    if (end == std::string_view::npos) end = paneText.size();
    std::string_view line = paneText.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

bool PrepareWebView(const std::filesystem::path& programFolder, std::string_view boxName,
                    std::string_view messageName) {
  if (messageName.empty() || FindBox(boxName) == nullptr || !IsSafeMessageName(messageName)) return false;
  const auto page = base::ReadWholeFile(MailBox(programFolder, boxName).WebPath(messageName));
  if (!page) return false;
  base::ReplaceFile(programFolder / kWebPageName, *page);
  return true;
}

}  // namespace ostrel::store
