#pragma once
// The comma-separated stream "email.opt" is read as: leading blanks are
// skipped, a field ends at a comma or at the end of its line, and a field that
// begins with a double quote runs to the next double quote.

#include <string>
#include <string_view>

namespace ostrel::settings {

class CommaFields {
 public:
  explicit CommaFields(std::string_view bytes) : rest_(bytes) {}

  // The next field's bytes; empty once the stream is used up.
  std::string Next();

 private:
  void SkipDelimiter();

  std::string_view rest_;
};

}  // namespace ostrel::settings
