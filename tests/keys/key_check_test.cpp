#include "keys/key_check.h"

#include <gtest/gtest.h>

namespace ostrel::keys {
namespace {

TEST(KeyCheck, DigitKeysAreUsable) {
  for (const char* key : {"123456789123456789", "4711", "99", "1", "12 34", ".4.4"}) {
    EXPECT_EQ(JudgeKeyText(key), KeyVerdict::Usable) << key;
  }
}

TEST(KeyCheck, KeysWhosePairsAllReadZeroProtectNothing) {
  for (const char* key : {"ABCDEFGHIJKLMNOPQR", "secret", "x", "000000000000000000", "a0b0c0d0e0f0g0h0i0", "-0"}) {
    EXPECT_EQ(JudgeKeyText(key), KeyVerdict::ProtectsNothing) << key;
  }
}

TEST(KeyCheck, AMinusSignBeforeADigitIsRefused) {
  for (const char* key : {"-9-9-9-9-9-9-9-9-9", "-9"}) {
    EXPECT_EQ(JudgeKeyText(key), KeyVerdict::Refused) << key;
  }
}

}  // namespace
}  // namespace ostrel::keys
