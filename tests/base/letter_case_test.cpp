#include "base/letter_case.h"

#include <filesystem>

#include "base/case_insensitive_lookup.h"
#include "base_fixture.h"

namespace ostrel::base {
namespace {

using CaseInsensitiveLookup = BaseTest;

// Folding goes character by character through LowerCase.
TEST(LetterCase, FoldsWholeCharactersNotBytes) {
  struct Case {
    std::string text;
    std::string folded;
  };
  const Case cases[] = {
      {"INBOX.DAT", "inbox.dat"},
      {"CL\xC3\x89 \xCE\xA9", "cl\xC3\xA9 \xCF\x89"},    // CLÉ Ω: É U+00C9 -> é U+00E9, Ω U+03A9 -> ω U+03C9
      {"\xC5\xA0koda \xC5\xB8", "\xC5\xA1koda \xC3\xBF"},  // Š U+0160 -> š U+0161, Ÿ U+0178 -> ÿ U+00FF
      {"caf\xC9", "caf\xC9"},  // Windows-1252 É is not UTF-8 and is kept, not turned into another byte
      {"x\xC3", "x\xC3"},      // a lead byte cut off at the end stays
      // Small letters, digits, the final sigma and the multiplication sign have no other small form.
      {"z1\xCF\x82\xC3\x97", "z1\xCF\x82\xC3\x97"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FoldCase(c.text), c.folded);
    EXPECT_TRUE(SameIgnoringCase(c.text, c.folded));
  }
  EXPECT_FALSE(SameIgnoringCase("Cl\xC3\xA9", "Cle"));
  EXPECT_FALSE(SameIgnoringCase("msg1.txt", "msg1.txt "));
  EXPECT_FALSE(SameIgnoringCase("MSG1", "msg10"));
}

TEST_F(CaseInsensitiveLookup, FindsAnEntryInAnyLetterCaseElseNamesItAsAsked) {
  WriteBytes(folder / "INBOX.DAT", "list");
  WriteBytes(folder / "MSG1.TXT", "text");
  WriteBytes(folder / "msg2.txt", "exact");
  WriteBytes(folder / "MSG2.txt", "other case");

  struct Case {
    std::string name;
    std::string found;
  };
  const Case cases[] = {
      {"inbox.dat", "INBOX.DAT"},
      {"msg2.txt", "msg2.txt"},  // the exact spelling wins over another case
      {"Msg2.TXT", "MSG2.txt"},  // of several, the first in byte order
      {"msg1.htm", "msg1.htm"},  // nothing there: the spelling asked for
      {"MSG1", "MSG1"},          // a prefix is another name
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FindIgnoringCase(folder.Path(), c.name), folder / c.found);
  }
  EXPECT_TRUE(ExistsIgnoringCase(folder.Path(), "Inbox.Dat"));
  EXPECT_FALSE(ExistsIgnoringCase(folder.Path(), "trash.dat"));
  EXPECT_EQ(FindIgnoringCase(folder / "no such folder", "x.dat"), folder / "no such folder" / "x.dat");
}

}  // namespace
}  // namespace ostrel::base
