#include "transport/attachment_names.h"

#include <algorithm>
#include <cctype>

namespace ostrel::transport {
namespace {

constexpr size_t kLongestName = 200;

bool IsForbidden(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' ||
         c == '"' || c == '<' || c == '>' || c == '|';
}

// Cuts at most `limit` bytes without splitting a UTF-8 character. A name
// that is no UTF-8 (continuation bytes only) is cut at the limit itself
// rather than to nothing.
std::string CutUtf8(std::string_view text, size_t limit) {
  if (text.size() <= limit) return std::string(text);
  size_t end = limit;
  while (end > 0 && limit - end < 3 && (static_cast<unsigned char>(text[end]) & 0xC0u) == 0x80u) --end;
  if ((static_cast<unsigned char>(text[end]) & 0xC0u) == 0x80u) end = limit;
  return std::string(text.substr(0, end));
}

std::string TrimDotsAndBlanks(std::string text) {
  const auto edge = [](char c) { return c == '.' || c == ' '; };
  while (!text.empty() && edge(text.back())) text.pop_back();
  size_t start = 0;
  while (start < text.size() && edge(text[start])) ++start;
  return text.substr(start);
}

}  // namespace

std::string SafeAttachmentName(std::string_view received) {
  const auto lastSeparator = received.find_last_of("/\\");
  if (lastSeparator != std::string_view::npos) received.remove_prefix(lastSeparator + 1);

  std::string name;
  for (const char c : received) {
    if (!IsForbidden(static_cast<unsigned char>(c))) name += c;
  }
  name = TrimDotsAndBlanks(std::move(name));

  if (name.size() > kLongestName) {
    // Keep the extension (and ".enc") so that the file still opens.
    const auto dot = name.find('.', name.size() > 20 ? name.size() - 20 : 0);
    const std::string tail = dot == std::string::npos ? std::string() : name.substr(dot);
    // The cut may end on a blank or a dot, which the name may not end with.
    name = TrimDotsAndBlanks(TrimDotsAndBlanks(CutUtf8(name, kLongestName - tail.size())) + tail);
  }
  return name.empty() ? "attachment" : name;
}

}  // namespace ostrel::transport
