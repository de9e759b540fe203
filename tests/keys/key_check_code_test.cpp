#include "keys/key_check_code.h"

#include "keys/key_store.h"
#include "keys_fixture.h"

namespace ostrel::keys {
namespace {

// Worked out apart from the program, with the digest
//   printf 'Ostrel key check code v1:730145928837465012' | sha256sum
//   -> 3a656c4236b345ebe573d12ebeb5800e76d2a1d394b5ef8e6f9f55acd32c1f95
// and its first 80 bits in groups of 5, each group an index into the
// alphabet (00111 01001 10001 10110 ... -> 7 9 J P ...):
//   python3 -c 'import sys; b=bin(int(sys.argv[1],16))[2:].zfill(256)[:80]; s="".join("0123456789ABCDEFGHJKMNPQRSTVWXYZ"[int(b[i:i+5],2)] for i in range(0,80,5)); print("-".join(s[i:i+4] for i in range(0,16,4)))' DIGEST
TEST(KeyCheckCode, KnownKeyGivesTheCodeWorkedOutByHand) {
  EXPECT_EQ(KeyCheckCode("730145928837465012"), "79JP-RGHP-PD2Y-QSBK");
}

// The key typed as "été" is stored in Windows-1252 (E9 74 E9) and the engine
// repeats it to 18 bytes:
//   printf 'Ostrel key check code v1:\xe9t\xe9\xe9t\xe9\xe9t\xe9\xe9t\xe9\xe9t\xe9\xe9t\xe9' | sha256sum
//   -> a0c9f1f7bb62d74f0f0bb3c0a2aba61eef636a0481298d993b7221b26061731c
// mapped by the same python3 line.
TEST(KeyCheckCode, AShortWesternKeyIsHashedAsItsStoredEighteenBytes) {
  EXPECT_EQ(TypedKeyCheckCode("été"), "M34Z-3XXV-CBBM-Y3RB");
  EXPECT_EQ(KeyCheckCode("\xe9t\xe9"), "M34Z-3XXV-CBBM-Y3RB");
}

// Keys giving one keyspace share their code; any other change gives another.
TEST(KeyCheckCode, TheCodeFollowsTheKeyspaceTheTypedKeyGives) {
  struct Case {
    const char* typed;
    const char* other;
    bool same;
  };
  const Case cases[] = {
      {"abc", "abcabcabcabcabcabc", true},              // repeated to 18 by the engine
      {"1234567890123456789", "123456789012345678", true},  // the key box keeps 18 characters
      {"  4711  ", "4711", true},                       // the store trims blanks
      {"Harbour", "harbour", false},                    // letter case counts in a key
      {"4711", "4712", false},
      {"abc", "abd", false},  // in every repetition of a short key
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.typed) + " / " + c.other);
    EXPECT_EQ(TypedKeyCheckCode(c.typed) == TypedKeyCheckCode(c.other), c.same);
  }
}

TEST(KeyCheckCode, NoCodeWithoutAKey) {
  EXPECT_FALSE(TypedKeyCheckCode(""));
  EXPECT_FALSE(TypedKeyCheckCode("    "));
  EXPECT_THROW(KeyCheckCode(""), std::invalid_argument);
  const std::vector<KeyRecord> records{{"Club", "", false}, {"Home", "4711", true}};
  EXPECT_FALSE(KeyCheckCodeOfName(records, "Club"));  // a record cut short has no key text
  EXPECT_FALSE(KeyCheckCodeOfName(records, "home"));
  EXPECT_EQ(KeyCheckCodeOfName(records, "Home"), KeyCheckCode("4711"));
}

}  // namespace
}  // namespace ostrel::keys
