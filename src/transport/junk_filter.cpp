#include "transport/junk_filter.h"

#include <glib.h>

#include "transport/gmime_support.h"

namespace ostrel::transport {
namespace {

bool IsSubjectCharacter(char c) {
  return c == ' ' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string ReducedSubject(std::string_view subj) {
  std::string reduced;
  for (const char c : subj) {
    if (IsSubjectCharacter(c)) reduced += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return reduced;
}

// Lower case of every letter, not only the ASCII ones ("É" is "é").
std::string Lowered(std::string_view text) {
  if (!g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
    std::string lowered(text);
    for (char& c : lowered) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lowered;
  }
  return TakeGString(g_utf8_strdown(text.data(), static_cast<gssize>(text.size())));
}

}  // namespace

bool CheckSubjectAndBody(std::string_view subj, std::string_view bdy,
                         const std::vector<std::string>& filterWords) {
  std::vector<std::string> words;
  words.reserve(filterWords.size());
  for (const auto& word : filterWords) words.push_back(Lowered(word));

  const std::string subject = ReducedSubject(subj);
  for (const auto& word : words) {
    if (subject.find(word) != std::string::npos) return true;
  }
  const std::string body = Lowered(bdy);
  for (const auto& word : words) {
    if (body.find(word) != std::string::npos) return true;
  }
  return false;
}

}  // namespace ostrel::transport
