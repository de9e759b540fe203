#include "transport/junk_filter.h"

#include <gtest/gtest.h>

namespace ostrel::transport {
namespace {

// The subject is reduced to letters and blanks before the test, so words with
// other characters can only hit the body; case does not count and there are
// no word boundaries.
TEST(CheckSubjectAndBody, MatchesFilterWordsInTheReducedSubjectOrTheBody) {
  struct Case {
    const char* subject;
    std::string body;
    std::vector<std::string> words;
    bool junk;
  };
  const Case cases[] = {
      {"W.I.N. a prize", "", {"win"}, true},
      {"Big 50% sale", "", {"big  sale"}, true},  // the digits and % go, both blanks stay
      {"Grüße", "", {"GRE"}, true},  // letters outside ASCII are dropped, not replaced
      {"50% off", "nothing here", {"50%"}, false},
      {"hello", "now 50% off", {"50%"}, true},
      {"You are a WINNER", "", {"win"}, true},
      {"hi", "ÉNORME offre", {"énorme"}, true},
      {"Quarterly report", "the figures", {}, false},
      {"free", "", {"free "}, false},  // a stored blank must be matched
      {"hi", std::string("\xff\xfe", 2), {"x"}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CheckSubjectAndBody(c.subject, c.body, c.words), c.junk) << c.subject << " / " << c.body;
  }
}

}  // namespace
}  // namespace ostrel::transport
