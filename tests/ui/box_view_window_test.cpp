// The grid: switching boxes, the keys and the popup menu, and the highlight
// over reloads. The rows, captions and counting texts are the store's, tested
// beside it.

#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using BoxViewWindowTest = MainWindowTest;

TEST_F(BoxViewWindowTest, BoxButtonsAndMenuSwitchBoxesAndEmptyThePane) {
  store.AddMessage("In", "Hello", "hello text\r\n");
  store.AddMessage("Trash", "Gone", "gone\r\n");
  Start();
  LeftClickRow(0);
  EXPECT_EQ(window->PaneText(), "hello text\r\n");
  window->trashButton->click();
  EXPECT_EQ(Caption(), "Trash (1 msgs)");
  EXPECT_EQ(window->PaneText(), "");
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
  EXPECT_THAT(store.Subjects("Trash"), ElementsAre("Second"));
  EXPECT_EQ(Caption(), "InBox (2 msgs)");
  EXPECT_EQ(window->PaneText(), "");
}

TEST_F(BoxViewWindowTest, SwitchingBackFromAnotherProgramReloadsTheBox) {
  store.AddMessage("In", "first", "a\r\n");
  Start();
  LeftClickRow(0);
  // Mail filed meanwhile by another run of the program (the command line).
  store.AddMessage("In", "second", "b\r\n");
  QWidget other;
  other.show();
  // Past the echo of the start's own activation, which reloads nothing.
  QTest::qWait(ui::MainWindow::kActivationEchoMs + 100);
  QApplication::setActiveWindow(&other);
  QApplication::setActiveWindow(window.get());
  EXPECT_EQ(Caption(), "InBox (2 msgs)");
  EXPECT_EQ(window->PaneText(), "a\r\n");
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
}

}  // namespace
}  // namespace ostrel::testing
