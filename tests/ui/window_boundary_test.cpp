// Errors never end the program: start-up in a folder that cannot be written,
// Save with a settings file read-only, Delete Msg with a box list read-only,
// and the clean-up window for the other windows that write. Each failure shows what
// was done, the file and the system's reason; the program goes on; and where
// the action would have changed two files, nothing stored changes.

#include "settings/accounts.h"
#include "support/file_permissions.h"
#include "support/folder_contents.h"
#include "ui/clean_up_dialog.h"
#include "ui/options_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

std::string Failure(const std::string& action, const std::string& reason) { return action + " failed.\n\n" + reason; }

using WindowBoundaryTest = MainWindowTest;

// A read-only folder and "inbox.dat" being a folder fail through the same
// guard; the read-only folder also shows that nothing is written.
TEST_F(WindowBoundaryTest, StartUpInAFolderThatCannotBeWrittenSaysWhyAndTheProgramGoesOn) {
  const auto before = ReadFolderContents(store.Folder());
  {
    ReadOnly readOnly(store / "");
    BindingPermissions binding;
    Start();
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre(Failure("Start-up", "Cannot create " + (store / "inbox.dat").string() +
                                                                          ": Permission denied.")));
    EXPECT_FALSE(window->boxGrid->isVisible());
    EXPECT_EQ(ReadFolderContents(store.Folder()), before);

    // The window still answers: another box says why it cannot show.
    window->junkButton->click();
  }
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].text,
            Failure("\"Junk\"", "Cannot create " + (store / "junk.dat").string() + ": Permission denied."));
}

TEST_F(WindowBoundaryTest, SaveWithASettingsFileReadOnlySaysWhyKeepsTheWindowOpenAndWritesNothing) {
  settings::StoreAccount(store.Folder(), {"pop.example.org", "", "me", "", "", false, false, false, false, false});
  Start();
  const auto before = ReadFolderContents(store.Folder());
  for (const char* file : {"email.opt", "accounts.dat"}) {
    SCOPED_TRACE(file);
    dialogs.shown.clear();
    bool stillOpen = false;
    {
      ReadOnly readOnly(store / file);
      BindingPermissions binding;
      Open<ui::OptionsDialog>(window->optionsAction, [&](auto& options) {
        options.smtpServerEdit->setText("smtp.example.org");
        options.userNameEdit->setText("carol");
        options.saveButton->click();
        stillOpen = options.isVisible();
      });
    }
    EXPECT_THAT(dialogs.ShownTexts(),
                ElementsAre(Failure("\"Save\"", "Cannot write " + (store / file).string() + ": Permission denied.")));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(ReadFolderContents(store.Folder()), before);
    EXPECT_EQ(window->Program().MailOptions.UserName, "");
  }
}

// That neither box list changes when one cannot be written is the store's,
// tested beside it; here the failure is shown and the message stays shown.
TEST_F(WindowBoundaryTest, DeleteMsgWithABoxListReadOnlySaysWhyAndMovesNothing) {
  store.AddMessage("In", "First", "one\r\n");
  store.AddMessage("In", "Second", "two\r\n");
  store.AddMessage("Trash", "Old", "old\r\n");
  Start();
  LeftClickRow(0);
  {
    ReadOnly readOnly(store / "trash.dat");
    BindingPermissions binding;
    RightClickRow(0, "deleteRowAction");
  }
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre(Failure("\"Delete Msg\"", "Cannot write " +
                                                                            (store / "trash.dat").string() +
                                                                            ": Permission denied.")));
  EXPECT_EQ(Caption(), "InBox (2 msgs)");
  EXPECT_EQ(window->PaneText(), "two\r\n");
}

// The other windows that write fail through the same guard; the clean-up
// window stands for them, as the one that closes itself when its work is
// done: a failed delete shows why under the button's caption and the window
// stays, with nothing moved.
TEST_F(WindowBoundaryTest, AWindowThatWritesShowsItsFailureAndStaysOpen) {
  store.AddMessage("In", "Hello", "hello\r\n");
  Start();
  dialogs.answers = {base::Answer::Yes};
  bool stillOpen = false;
  Open<ui::CleanUpDialog>(window->cleanUpInBoxAction, [&](auto& cleanUp) {
    ReadOnly readOnly(store / "inbox.dat");
    BindingPermissions binding;
    cleanUp.messageList->item(0)->setSelected(true);
    cleanUp.deleteButton->click();
    stillOpen = cleanUp.isVisible();
  });
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre(Failure("\"Delete\"", "Cannot write " + (store / "inbox.dat").string() +
                                                                            ": Permission denied.")));
  EXPECT_TRUE(stillOpen);
  EXPECT_THAT(store.Subjects("In"), ElementsAre("Hello"));
}

}  // namespace
}  // namespace ostrel::testing
