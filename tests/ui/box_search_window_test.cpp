// Searching the box shown: the field above the grid, the rows it leaves,
// "n of m" and Escape. Which rows a text finds, from the three header fields
// only, is the box search's, tested beside it.

#include "store/box_record.h"
#include "store/mail_box.h"
#include "support/folder_contents.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

class BoxSearchWindowTest : public MainWindowTest {
 protected:
  void File(const std::string& box, const std::string& from, const std::string& subject, const std::string& date,
            const std::string& text) {
    store::MailBox(store.Folder(), box).File(store::BoxRecord{"me@example.org", from, subject, date, ""}, text,
                                             std::nullopt);
  }
  void FillInBox() {
    File("In", "alice@example.org", "Harbour plans", "4/30/2026 6:00:00 PM", "one\r\n");
    File("In", "Jürgen Müller <jm@example.de>", "Angebot für Mai", "5/3/2026 8:15:00 AM", "two\r\n");
    File("In", "bob@example.org", "Re: HARBOUR plans", "5/4/2026 9:00:00 AM", "three\r\n");
  }
  QLineEdit* Field() const { return window->findChild<QLineEdit*>("searchField"); }
  QString Count() const { return window->findChild<QLabel*>("searchCount")->text(); }
};

// Which rows a text finds is the box search's, tested beside it; here the
// field narrows the grid as it is typed and counts beside itself.
TEST_F(BoxSearchWindowTest, TypingNarrowsTheGridAndCountsBesideTheFieldWritingNothing) {
  FillInBox();
  Start();
  ASSERT_NE(Field(), nullptr);
  const FolderContents before = ReadFolderContents(store.Folder());
  QTest::keyClicks(Field(), "harb");
  EXPECT_THAT(GridSubjects(), ElementsAre("Re: HARBOUR plans", "Harbour plans"));
  EXPECT_EQ(Count(), "2 of 3");
  QTest::keyClick(Field(), Qt::Key_Escape);
  EXPECT_EQ(GridSubjects().size(), 3u);
  EXPECT_TRUE(Count().isEmpty());
  EXPECT_EQ(ReadFolderContents(store.Folder()), before);
}

TEST_F(BoxSearchWindowTest, TheSearchStaysOverReloadsOfItsBoxAndEndsWithAnotherBox) {
  FillInBox();
  File("Sent", "me@example.org", "Harbour answer", "5/5/2026 10:00:00 AM", "four\r\n");
  Start();
  Field()->setText("harbour");
  ASSERT_EQ(Count(), "2 of 3");
  // A row of the narrowed grid stands for its own message.
  RightClickRow(1, "deleteRowAction");  // "Harbour plans" goes to the Trash
  EXPECT_EQ(store.Subjects("Trash"), std::vector<std::string>{"Harbour plans"});
  EXPECT_THAT(GridSubjects(), ElementsAre("Re: HARBOUR plans"));
  EXPECT_EQ(Count(), "1 of 2");

  // Another window and the activation after it keep the search.
  Open<QDialog>(window->aboutAction, [](QDialog& about) { about.accept(); });
  EXPECT_EQ(Field()->text(), "harbour");
  EXPECT_EQ(Count(), "1 of 2");

  window->sentButton->click();
  EXPECT_TRUE(Field()->text().isEmpty());
  EXPECT_THAT(GridSubjects(), ElementsAre("Harbour answer"));
}

}  // namespace
}  // namespace ostrel::testing
