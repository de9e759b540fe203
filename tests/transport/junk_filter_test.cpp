#include "transport/junk_filter.h"

#include <gtest/gtest.h>

namespace ostrel::transport {
namespace {

TEST(CheckSubjectAndBody, SubjectIsReducedToLettersAndBlanksBeforeTheTest) {
  EXPECT_TRUE(CheckSubjectAndBody("W.I.N. a prize", "", {"win"}));
  EXPECT_TRUE(CheckSubjectAndBody("S-A-L-E!", "", {"sale"}));
  EXPECT_TRUE(CheckSubjectAndBody("Big 50% sale", "", {"big  sale"})) << "the digits and % go, both blanks stay";
  EXPECT_FALSE(CheckSubjectAndBody("Grüße", "", {"grue"})) << "letters outside ASCII are dropped, not replaced";
  EXPECT_TRUE(CheckSubjectAndBody("Grüße", "", {"GRE"}));
}

TEST(CheckSubjectAndBody, WordsWithOtherCharactersCanOnlyHitTheBody) {
  EXPECT_FALSE(CheckSubjectAndBody("50% off", "nothing here", {"50%"}));
  EXPECT_TRUE(CheckSubjectAndBody("hello", "now 50% off", {"50%"}));
}

TEST(CheckSubjectAndBody, CaseDoesNotCountAndThereAreNoWordBoundaries) {
  EXPECT_TRUE(CheckSubjectAndBody("hello", "it is free", {"FREE"}));
  EXPECT_TRUE(CheckSubjectAndBody("You are a WINNER", "", {"win"}));
  EXPECT_TRUE(CheckSubjectAndBody("hi", "ÉNORME offre", {"énorme"}));
  EXPECT_TRUE(CheckSubjectAndBody("hi", "line one\r\nFree Money", {"free money"}));
}

TEST(CheckSubjectAndBody, NoWordOrNoHitIsNotJunk) {
  EXPECT_FALSE(CheckSubjectAndBody("Quarterly report", "the figures", {}));
  EXPECT_FALSE(CheckSubjectAndBody("Quarterly report", "the figures", {"prize", "casino"}));
  EXPECT_FALSE(CheckSubjectAndBody("free", "", {"free "})) << "a stored blank must be matched";
  EXPECT_FALSE(CheckSubjectAndBody("hi", std::string("\xff\xfe", 2), {"x"}));
}

}  // namespace
}  // namespace ostrel::transport
