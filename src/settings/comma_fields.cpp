#include "settings/comma_fields.h"

namespace ostrel::settings {
namespace {

bool EndsField(char c) { return c == ',' || c == '\r' || c == '\n'; }

}  // namespace

std::string CommaFields::Next() {
  while (!rest_.empty() && rest_.front() == ' ') rest_.remove_prefix(1);
  std::string field;
  if (!rest_.empty() && rest_.front() == '"') {
    rest_.remove_prefix(1);
    const auto close = rest_.find('"');
    field = rest_.substr(0, close);
    rest_.remove_prefix(close == std::string_view::npos ? rest_.size() : close + 1);
    // Whatever follows the closing quote up to the delimiter is not part of the field.
    while (!rest_.empty() && !EndsField(rest_.front())) rest_.remove_prefix(1);
  } else {
    std::size_t length = 0;
    while (length < rest_.size() && !EndsField(rest_[length])) ++length;
    field = rest_.substr(0, length);
    rest_.remove_prefix(length);
  }
  SkipDelimiter();
  return field;
}

void CommaFields::SkipDelimiter() {
  if (rest_.empty()) return;
  const char delimiter = rest_.front();
  rest_.remove_prefix(1);
  if (delimiter == '\r' && !rest_.empty() && rest_.front() == '\n') rest_.remove_prefix(1);
}

}  // namespace ostrel::settings
