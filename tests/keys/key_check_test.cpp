#include "keys/key_check.h"

#include <gtest/gtest.h>

namespace ostrel::keys {
namespace {

TEST(KeyCheck, DigitKeysAreUsableZeroPairsProtectNothingAndAMinusBeforeADigitIsRefused) {
  const std::pair<const char*, KeyVerdict> cases[] = {
      {"123456789123456789", KeyVerdict::Usable}, {"4711", KeyVerdict::Usable},
      {"99", KeyVerdict::Usable},                 {"1", KeyVerdict::Usable},
      {"12 34", KeyVerdict::Usable},              {".4.4", KeyVerdict::Usable},
      {"ABCDEFGHIJKLMNOPQR", KeyVerdict::ProtectsNothing}, {"secret", KeyVerdict::ProtectsNothing},
      {"x", KeyVerdict::ProtectsNothing},         {"000000000000000000", KeyVerdict::ProtectsNothing},
      {"a0b0c0d0e0f0g0h0i0", KeyVerdict::ProtectsNothing}, {"-0", KeyVerdict::ProtectsNothing},
      {"-9-9-9-9-9-9-9-9-9", KeyVerdict::Refused}, {"-9", KeyVerdict::Refused},
  };
  for (const auto& [key, verdict] : cases) EXPECT_EQ(JudgeKeyText(key), verdict) << key;
}

}  // namespace
}  // namespace ostrel::keys
