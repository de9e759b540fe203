#include "store/text_fold.h"

#include "base/ansi_text.h"
#include "base/letter_case.h"

namespace ostrel::store {
namespace {

// A search finds a word whichever of its two small forms it was written in.
char32_t SearchLetter(char32_t c) {
  switch (c) {
    case 0x3C2: return 0x3C3;  // final sigma
    case 0x17F: return 's';    // long s
    default: return base::LowerCase(c);
  }
}

char AsciiFolded(char byte) {
  if (byte >= 'A' && byte <= 'Z') return static_cast<char>(byte + ('a' - 'A'));
  if ((byte >= 0 && byte < 0x20) || byte == 0x7F) return ' ';
  return byte;
}

}  // namespace

void AppendFolded(std::string& out, std::string_view utf8) {
  for (std::size_t pos = 0; pos < utf8.size();) {
    // Most header text is ASCII: a run of it is folded in one go.
    std::size_t end = pos;
    while (end < utf8.size() && static_cast<unsigned char>(utf8[end]) < 0x80) ++end;
    if (end > pos) {
      const std::size_t at = out.size();
      out.append(utf8.substr(pos, end - pos));
      for (std::size_t i = at; i < out.size(); ++i) out[i] = AsciiFolded(out[i]);
      pos = end;
      continue;
    }
    char32_t c = 0;
    const std::size_t length = base::Utf8SequenceLength(utf8, pos, &c);
    if (length == 0) {
      out += utf8[pos];
      ++pos;
      continue;
    }
    // C1 controls become blanks like the C0 ones.
    base::AppendUtf8(out, c < 0xA0 ? U' ' : SearchLetter(c));
    pos += length;
  }
}

std::string FoldForSearch(std::string_view utf8) {
  std::string folded;
  folded.reserve(utf8.size());
  AppendFolded(folded, utf8);
  return folded;
}

}  // namespace ostrel::store
