// The grid: switching boxes, the hover texts, the keys and the popup menu,
// the highlight over reloads and the column widths. The rows, captions and
// counting texts are the store's, tested beside it.

#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using BoxViewWindowTest = MainWindowTest;

QString HoverText(QToolButton* button) {
  QEvent enter(QEvent::Enter);
  QCoreApplication::sendEvent(button, &enter);
  return button->toolTip();
}

TEST_F(BoxViewWindowTest, BoxButtonsAndMenuSwitchBoxesUnderTheGridsHeadersAndEmptyThePane) {
  store.AddMessage("In", "Hello", "hello text\r\n");
  store.AddMessage("Trash", "Gone", "gone\r\n");
  Start();
  const auto* model = window->boxGrid->model();
  EXPECT_THAT(
      (std::vector{model->headerData(1, Qt::Horizontal).toString(), model->headerData(2, Qt::Horizontal).toString(),
                   model->headerData(3, Qt::Horizontal).toString()}),
      ElementsAre("From", "Subject", "Date"));
  EXPECT_TRUE(window->boxGrid->isColumnHidden(0));
  LeftClickRow(0);
  EXPECT_EQ(window->PaneText(), "hello text\r\n");
  window->trashButton->click();
  EXPECT_EQ(Caption(), "Trash (1 msgs)");
  EXPECT_EQ(window->PaneText(), "");
  window->sentButton->click();
  EXPECT_EQ(Caption(), "Sent (0 msgs)");
  window->junkButton->click();
  EXPECT_EQ(Caption(), "Junk (0 msgs)");
  window->inBoxAction->trigger();
  EXPECT_THAT(GridSubjects(), ElementsAre("Hello"));
}

TEST_F(BoxViewWindowTest, ThePopupActsOnTheRightClickedRowWithoutOpeningIt) {
  store.AddMessage("In", "First", "one\r\n", std::nullopt, "bob@example.org");
  store.AddMessage("In", "Second", "two\r\n");
  store.AddMessage("In", "Third", "three\r\n");
  Start();
  LeftClickRow(0);
  RightClickRow(2, "printRowAction");
  ASSERT_EQ(desktop.printed.size(), 1u);
  EXPECT_EQ(desktop.printed[0].front(), "   From: bob@example.org");
  EXPECT_EQ(desktop.printed[0].back(), "three") << "the header of the row, above the pane";
  RightClickRow(1, "closeRowMenuAction");  // Exit does nothing
  EXPECT_EQ(window->PaneText(), "three\r\n");
  EXPECT_EQ(window->Program().Selection.SelectedSubject, "Second");
  RightClickRow(1, "deleteRowAction");
  EXPECT_THAT(desktop.popUps, ElementsAre("rowMenu", "rowMenu", "rowMenu"));
  EXPECT_THAT(store.Subjects("Trash"), ElementsAre("Second"));
  EXPECT_EQ(Caption(), "InBox (2 msgs)");
  EXPECT_EQ(window->PaneText(), "");
}

TEST_F(BoxViewWindowTest, SwitchingBackFromAnotherProgramReloadsTheBoxButAModalsEchoDoesNot) {
  store.AddMessage("In", "first", "a\r\n");
  Start();
  LeftClickRow(0);
  // Mail filed meanwhile by another run of the program (the command line).
  store.AddMessage("In", "second", "b\r\n");
  QWidget other;
  other.show();
  const auto switchBack = [&] {
    QApplication::setActiveWindow(&other);
    QApplication::setActiveWindow(window.get());
  };
  switchBack();
  EXPECT_EQ(Caption(), "InBox (1 msgs)");
  QTest::qWait(ui::MainWindow::kActivationEchoMs + 100);
  switchBack();
  EXPECT_EQ(Caption(), "InBox (2 msgs)");
  EXPECT_EQ(window->PaneText(), "a\r\n");
}

// Each box button asks for its own box when the pointer comes to it.
TEST_F(BoxViewWindowTest, HoverTextsCountTheMessagesOfEachBoxAtThatMoment) {
  Start();
  store.AddMessage("Trash", "One", "1\r\n");
  store.AddMessage("Trash", "Two", "2\r\n");
  store.AddMessage("Sent", "One", "1\r\n");
  const auto texts = std::vector{HoverText(window->inBoxButton), HoverText(window->sentButton),
                                 HoverText(window->trashButton), HoverText(window->junkButton)};
  EXPECT_THAT(texts,
              ElementsAre("In Box (No messages)", "Sent (1 message)", "Trash (2 messages)", "Junk (No messages)"));
  EXPECT_EQ(window->cleanUpButton->toolTip(), "Clean Uo Current Box");
}

TEST_F(BoxViewWindowTest, AReloadKeepsTheHighlightOnTheSameMessageAndDeleteTakesItAlong) {
  store.AddMessage("In", "First", "one\r\n");
  store.AddMessage("In", "Second", "two\r\n");
  Start();
  window->boxGrid->setFocus();
  window->boxGrid->setCurrentIndex(window->boxGrid->model()->index(1, 1));
  QTest::keyClick(window->boxGrid, Qt::Key_Up);
  QTest::keyClick(window->boxGrid, Qt::Key_Return);
  ASSERT_EQ(window->PaneText(), "two\r\n");
  // New mail arrives above it, and a window closing reloads the box.
  store.AddMessage("In", "Third", "three\r\n");
  window->aboutAction->trigger();
  EXPECT_EQ(Caption(), "InBox (3 msgs)");
  ASSERT_TRUE(window->boxGrid->currentIndex().isValid());
  EXPECT_EQ(Cell(window->boxGrid->currentIndex().row(), 2), "Second");

  // Delete acts on the message shown, not on the row it was in; with that
  // message gone, a second Delete has nothing to act on.
  window->boxGrid->setFocus();
  QTest::keyClick(window->boxGrid, Qt::Key_Delete);
  EXPECT_THAT(store.Subjects("In"), ElementsAre("First", "Third"));
  EXPECT_THAT(store.Subjects("Trash"), ElementsAre("Second"));
  EXPECT_FALSE(window->boxGrid->currentIndex().isValid());
  QTest::keyClick(window->boxGrid, Qt::Key_Delete);
  EXPECT_THAT(store.Subjects("In"), ElementsAre("First", "Third"));

  // Another box never inherits the highlight.
  LeftClickRow(1);
  window->trashButton->click();
  EXPECT_FALSE(window->boxGrid->currentIndex().isValid());
}

TEST_F(BoxViewWindowTest, TheDateColumnTakesTheWidthLeftAndTheStatedWidthsAreMinimums) {
  store.AddMessage("In", "Hello", "hello\r\n");
  Start();
  QCoreApplication::processEvents();
  const auto rightEdge = [this] {
    return window->boxGrid->columnViewportPosition(3) + window->boxGrid->columnWidth(3);
  };
  // 2300 and 4700 twips at 15 twips to a pixel.
  EXPECT_EQ(window->boxGrid->columnWidth(1), 153);
  EXPECT_EQ(window->boxGrid->columnWidth(2), 313);
  EXPECT_EQ(rightEdge(), window->boxGrid->viewport()->width());

  // Widening the subject narrows the date, down to its own 2700 twips.
  window->boxGrid->setColumnWidth(2, 400);
  EXPECT_EQ(rightEdge(), window->boxGrid->viewport()->width());
  window->resize(420, window->height());
  QTest::qWait(50);
  EXPECT_EQ(window->boxGrid->columnWidth(3), 180);
}

}  // namespace
}  // namespace ostrel::testing
