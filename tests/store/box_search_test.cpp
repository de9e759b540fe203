// Searching the shown box: case folding by characters and the rows found.

#include "store/box_search.h"

#include <gmock/gmock.h>

#include "store/box_record.h"
#include "store/text_fold.h"
#include "store_folder.h"

namespace ostrel::store {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::StoreFolder;
using testing::WriteBytes;

// Letters fold through base's small forms, tested there; what is the
// search's own is below.
TEST(FoldForSearchTest, SmallLettersByCharacterNotByByte) {
  struct Case {
    const char* text;
    const char* folded;
  };
  const Case cases[] = {
      {"ÄÖÜ äöü ß É", "äöü äöü ß é"},
      {"ΣΟΦΊΑ σοφίας", "σοφία σοφίασ"},  // final sigma folds with sigma
      {"Straſſe", "strasse"},              // long s
      {"a\tb\rc\x7F" "d\u0085", "a b c d "},  // control characters become blanks
      {"\xC3(\xFF", "\xC3(\xFF"},          // bytes that are no UTF-8 stay as they are
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FoldForSearch(c.text), c.folded);
  }
}

// A row as the grid gets it: UTF-8 text padded with blanks.
BoxRow Row(std::size_t record, const std::string& from, const std::string& subject, const std::string& date) {
  const std::string padding(12, ' ');
  return BoxRow{record, from + padding, subject + padding, date + padding, "00000" + std::to_string(record)};
}

class BoxSearchTest : public ::testing::Test {
 protected:
  // Newest first, as the grid shows them.
  const std::vector<BoxRow> rows{
      Row(5, "Jürgen Müller <jm@example.de>", "Angebot für Mai", "5/3/2026 8:15:00 AM"),
      Row(4, "alice@example.org", "Harbour plans", "4/30/2026 6:00:00 PM"),
      Row(3, "Σοφία <sofia@example.gr>", "ΣΥΝΑΝΤΗΣΗ αύριο", "4/2/2026 10:00:00 AM"),
      Row(2, "bob@example.org", "Re: harbour PLANS", "3/1/2026 9:00:00 AM"),
      Row(1, "MÜLLER GmbH", "", "12/24/2025 11:59:00 PM"),
  };
  const BoxSearch search{rows};
};

TEST_F(BoxSearchTest, FindsTheTextInFromSubjectOrDateLetterCaseAside) {
  struct Case {
    const char* query;
    std::vector<std::size_t> records;
  };
  const std::vector<Case> cases{
      {"HARBOUR PLANS", {4, 2}},
      {"müller", {5, 1}},     // From, in both letter cases
      {"4/", {4, 3, 1}},       // Date: "4/30", "4/2" and "12/24/"
      {"συνάντηση", {}},       // the accent makes it another letter
      {"συναντηση", {3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query);
    EXPECT_EQ(search.Matching(c.query), c.records);
  }
}

TEST_F(BoxSearchTest, NoMatchSpansTwoFieldsAndARowCountsOnce) {
  // From ends "GmbH", Subject is empty, Date begins "12/": the padding
  // blanks and the field ends are not text.
  EXPECT_THAT(search.Matching("gmbh 12"), IsEmpty());
  EXPECT_THAT(search.Matching("gmbh\n"), IsEmpty());
  EXPECT_THAT(search.Matching("plans "), IsEmpty());
  EXPECT_THAT(search.Matching("mai5/3"), IsEmpty());
  EXPECT_THAT(search.Matching("e"), ElementsAre(5, 4, 3, 2, 1)) << "a row counts once however often it matches";
}

TEST(BoxSearchOfBoxTest, ReadsTheStoredWesternTextOfTheBoxList) {
  StoreFolder store;
  const std::string western = BoxRecord{"me@example.org", "König", "Grüße aus Köln", "1/2/2026", "MSG1"}.ToBytes();
  // Text that Windows-1252 cannot hold is stored as UTF-8.
  const std::string greek = BoxRecord{"me@example.org", "Σοφία", "Συνάντηση", "2/2/2026", "MSG2"}.ToBytes();
  WriteBytes(store / "inbox.dat", western + greek);
  const BoxSearch search = BoxSearch::OfBox(store.Folder(), "In");
  EXPECT_THAT(search.Matching("KÖLN"), ElementsAre(1));
  EXPECT_THAT(search.Matching("ΣΟΦΊΑ"), ElementsAre(2));
  EXPECT_THAT(search.Matching("2026"), ElementsAre(2, 1));  // newest first
  EXPECT_THAT(search.Matching("me@example"), IsEmpty());  // To is not shown, so not searched
  EXPECT_THROW(BoxSearch::OfBox(store.Folder(), "Out"), std::invalid_argument);
}

}  // namespace
}  // namespace ostrel::store
