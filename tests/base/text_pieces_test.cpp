#include "base/text_pieces.h"

#include <gtest/gtest.h>

namespace ostrel::base {
namespace {

using Pieces = std::vector<std::string_view>;

TEST(TextPieces, SplitLinesEndsALineAtCrLfLoneCrOrLoneLf) {
  struct Case {
    std::string_view text;
    Pieces lines;
  };
  const Case cases[] = {
      {"", {}},
      {"one", {"one"}},
      {"one\r\ntwo\rthree\nfour", {"one", "two", "three", "four"}},
      {"one\r\n", {"one"}},                    // a final line end starts no empty line
      {"\r\n\r\nx", {"", "", "x"}},            // blank lines are kept
      {"a\n\rb", {"a", "", "b"}},              // LF CR is two line ends, not one
      {"a\r\r\nb", {"a", "", "b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
    EXPECT_EQ(SplitLines(c.text), c.lines);
  }
}

}  // namespace
}  // namespace ostrel::base
