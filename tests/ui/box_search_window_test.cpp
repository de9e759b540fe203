// Searching the box shown: the field above the grid, the rows it leaves,
// "n of m", Ctrl+F and Escape, and that nothing is stored or read beyond the
// three header fields.

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
  std::vector<QString> Subjects() const {
    std::vector<QString> subjects;
    for (int row = 0; row < window->boxGrid->model()->rowCount(); ++row) {
      subjects.push_back(window->boxGrid->model()->index(row, 2).data().toString());
    }
    return subjects;
  }
};

TEST_F(BoxSearchWindowTest, TypingNarrowsTheGridToFromSubjectOrDateAndCountsBesideTheField) {
  FillInBox();
  Start();
  ASSERT_NE(Field(), nullptr);
  const FolderContents before = ReadFolderContents(store.Folder());
  EXPECT_TRUE(Count().isEmpty());

  QTest::keyClicks(Field(), "harb");
  EXPECT_THAT(Subjects(), ElementsAre("Re: HARBOUR plans", "Harbour plans"));
  EXPECT_EQ(Count(), "2 of 3");
  EXPECT_EQ(Caption(), "InBox (3 msgs)") << "the frame caption keeps telling the box";
  QTest::keyClicks(Field(), "x");
  EXPECT_TRUE(Subjects().empty());
  EXPECT_EQ(Count(), "0 of 3");
  QTest::keyClick(Field(), Qt::Key_Backspace);
  EXPECT_EQ(Count(), "2 of 3");

  Field()->setText("MÜLLER");
  EXPECT_THAT(Subjects(), ElementsAre("Angebot für Mai"));
  Field()->setText("5/");
  EXPECT_THAT(Subjects(), ElementsAre("Re: HARBOUR plans", "Angebot für Mai"));
  Field()->setText("alice");
  EXPECT_THAT(Subjects(), ElementsAre("Harbour plans"));
  EXPECT_EQ(Count(), "1 of 3");

  // A row found opens its own message, and the popup acts on it.
  LeftClickRow(0);
  EXPECT_EQ(window->PaneText(), "one\r\n");
  RightClickRow(0, "closeRowMenuAction");
  EXPECT_EQ(window->Program().Selection.SelectedSubject, "Harbour plans");

  QTest::keyClick(Field(), Qt::Key_Escape);
  EXPECT_TRUE(Field()->text().isEmpty());
  EXPECT_EQ(Subjects().size(), 3u);
  EXPECT_TRUE(Count().isEmpty());
  EXPECT_EQ(ReadFolderContents(store.Folder()), before) << "searching writes nothing";
}

TEST_F(BoxSearchWindowTest, CtrlFGoesToTheFieldAndEscapeInTheGridEmptiesIt) {
  FillInBox();
  Start();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  window->boxGrid->setFocus();
  QTest::keyClick(window->boxGrid, Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(Field()->hasFocus());
  QTest::keyClicks(QApplication::focusWidget(), "bob");
  EXPECT_EQ(Count(), "1 of 3");
  QTest::keyClick(Field(), Qt::Key_Return);
  EXPECT_TRUE(window->boxGrid->hasFocus());
  EXPECT_EQ(window->boxGrid->currentIndex().row(), 0);
  QTest::keyClick(window->boxGrid, Qt::Key_Escape);
  EXPECT_TRUE(Field()->text().isEmpty());
  EXPECT_EQ(Subjects().size(), 3u);
}

TEST_F(BoxSearchWindowTest, TheSearchStaysOverReloadsOfItsBoxAndEndsWithAnotherBox) {
  FillInBox();
  File("Sent", "me@example.org", "Harbour answer", "5/5/2026 10:00:00 AM", "four\r\n");
  Start();
  Field()->setText("harbour");
  ASSERT_EQ(Count(), "2 of 3");
  RightClickRow(1, "deleteRowAction");  // "Harbour plans" goes to the Trash
  EXPECT_EQ(store.Subjects("In"), (std::vector<std::string>{"Angebot für Mai", "Re: HARBOUR plans"}));
  EXPECT_EQ(Caption(), "InBox (2 msgs)");
  EXPECT_THAT(Subjects(), ElementsAre("Re: HARBOUR plans"));
  EXPECT_EQ(Count(), "1 of 2");

  // Another window and the activation after it keep the search.
  Open<QDialog>(window->aboutAction, [](QDialog& about) { about.accept(); });
  EXPECT_EQ(Field()->text(), "harbour");
  EXPECT_EQ(Count(), "1 of 2");

  window->sentButton->click();
  EXPECT_TRUE(Field()->text().isEmpty());
  EXPECT_TRUE(Count().isEmpty());
  EXPECT_THAT(Subjects(), ElementsAre("Harbour answer"));
  EXPECT_EQ(Caption(), "Sent (1 msgs)");
}

TEST_F(BoxSearchWindowTest, DecipheredTextIsNeitherSearchedNorStored) {
  File("In", "alice@example.org", "Papers", "5/4/2026 9:00:00 AM", HexCipherText("the secret harbour plan"));
  WriteDefaultKey(store.Folder());
  Start();
  LeftClickRow(0);
  window->decryptButton->click();
  ASSERT_THAT(window->PaneText(), HasSubstr("the secret harbour plan"));
  const FolderContents before = ReadFolderContents(store.Folder());
  Field()->setText("secret");
  EXPECT_EQ(Count(), "0 of 1");
  Field()->setText("papers");
  EXPECT_EQ(Count(), "1 of 1");
  Field()->clear();
  EXPECT_EQ(ReadFolderContents(store.Folder()), before);
}

}  // namespace
}  // namespace ostrel::testing
