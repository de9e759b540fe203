#include "store/message_view.h"

#include <algorithm>
#include <cctype>

#include "base/ansi_text.h"
#include "base/safe_file.h"
#include "base/text_pieces.h"

namespace ostrel::store {
namespace {

bool ContainsHtmlTag(std::string_view text) {
  static constexpr std::string_view kTag = "<html>";
  const auto found = std::search(text.begin(), text.end(), kTag.begin(), kTag.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b);
  });
  return found != text.end();
}

}  // namespace

std::string PaneText(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 40 + 2);
  for (const std::string_view line : base::SplitLines(bytes)) {
    text += line;
    text += base::kLineEnd;
  }
  return base::FromAnsi(text);
}

bool IsHexText(std::string_view text) {
  return text.find_first_not_of("0123456789ABCDEF\r\n") == std::string_view::npos;
}

std::optional<CipherText> SplitCipherText(std::string_view text) {
  if (IsHexText(text)) return CipherText{text, {}};
  // The cipher text ends at the first attachment mark or the first blank
  // line, since no line of hex text is blank.
  std::size_t end = std::min(text.find("<ATTACHMENT"), text.size());
  for (std::size_t start = 0; start < end;) {
    const std::size_t lineEnd = text.find_first_of("\r\n", start);
    if (lineEnd == std::string_view::npos) break;
    if (lineEnd == start) {
      end = start;
      break;
    }
    start = lineEnd + 1;
    if (text[lineEnd] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  const std::string_view block = text.substr(0, end);
  const std::size_t lastDigit = block.find_last_not_of("\r\n");
  if (end == text.size() || lastDigit == std::string_view::npos || !IsHexText(block)) return std::nullopt;
  const std::string_view hex = block.substr(0, lastDigit + 1);
  const auto digits = std::count_if(hex.begin(), hex.end(), [](char c) { return c != '\r' && c != '\n'; });
  if (digits % 2 != 0) return std::nullopt;
  return CipherText{hex, text.substr(hex.size())};
}

std::string JoinedLines(std::string_view bytes) {
  std::string joined;
  joined.reserve(bytes.size() + 2);
  for (const std::string_view line : base::SplitLines(bytes)) joined += line;
  return joined + std::string(base::kLineEnd);
}

OpenedMessage ReadMessage(const std::filesystem::path& textFile, std::string_view shownName) {
  OpenedMessage message;
  const auto bytes = base::ReadWholeFile(textFile);
  if (!bytes) {
    message.fileMissing = true;
    message.text = "This message cannot be shown: its file \"" + std::string(shownName) + "\" is missing.\r\n";
    return message;
  }
  message.text = PaneText(*bytes);
  message.decryptEnabled = SplitCipherText(message.text).has_value();
  if (ContainsHtmlTag(message.text)) message.webPage = JoinedLines(*bytes);
  return message;
}

}  // namespace ostrel::store
