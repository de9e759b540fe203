// Errors never end the program: start-up in a folder that cannot be written,
// Save with a settings file read-only, Delete Msg with a box list read-only,
// and the handlers of the other windows that write. Each failure shows what
// was done, the file and the system's reason; the program goes on; and where
// the action would have changed two files, nothing stored changes.

#include "settings/accounts.h"
#include "store/mail_box.h"
#include "support/file_permissions.h"
#include "support/folder_contents.h"
#include "ui/address_book_dialog.h"
#include "ui/clean_up_dialog.h"
#include "ui/key_management_dialog.h"
#include "ui/options_dialog.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using ::testing::StartsWith;

std::string Failure(const std::string& action, const std::string& reason) { return action + " failed.\n\n" + reason; }

using WindowBoundaryTest = MainWindowTest;

TEST_F(WindowBoundaryTest, StartUpInAFolderThatCannotBeWrittenSaysWhyAndTheProgramGoesOn) {
  struct Case {
    const char* name;
    bool folderReadOnly;  // else "inbox.dat" is a folder
    const char* reason;
  };
  const Case cases[] = {
      {"folder read-only", true, "Permission denied"},
      {"inbox.dat a folder", false, "Is a directory"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    StoreFolder folder;
    WriteSettings(folder.Folder());
    WriteBytes(folder / "opt.dne", "Done\r\n");
    if (!test.folderReadOnly) std::filesystem::create_directory(folder / "inbox.dat");
    const auto before = ReadFolderContents(folder.Folder());
    RecordingDialogs shown;
    ScriptedDesktop scripted;
    std::optional<ReadOnly> readOnly;
    if (test.folderReadOnly) readOnly.emplace(folder / "");
    BindingPermissions binding;

    const auto main = OpenMainWindow(folder.Folder(), shown, scripted);
    EXPECT_THAT(shown.ShownTexts(), ElementsAre(Failure("Start-up", "Cannot create " + (folder / "inbox.dat").string() +
                                                                        ": " + test.reason + ".")));
    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(main->boxGrid->isVisible());
    if (test.folderReadOnly) {
      EXPECT_EQ(ReadFolderContents(folder.Folder()), before);
    } else {
      EXPECT_TRUE(std::filesystem::is_empty(folder / "inbox.dat"));
    }

    // The window still answers: another box shows, or says why it cannot.
    main->junkButton->click();
    if (test.folderReadOnly) {
      ASSERT_EQ(shown.shown.size(), 2u);
      EXPECT_EQ(shown.shown[1].text,
                Failure("\"Junk\"", "Cannot create " + (folder / "junk.dat").string() + ": Permission denied."));
    } else {
      EXPECT_EQ(shown.shown.size(), 1u);
      EXPECT_EQ(main->boxFrame->title(), "Junk (0 msgs)");
    }
  }
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

// Other windows that write, one for each kind of file: a list appended to,
// a file written whole and a box list. Each failure is shown under the
// caption of the button pressed, with the file and the reason, and the window
// stays. Files written whole are replaced through a new file in the program
// folder, so a read-only program folder is what stops those. The signatures
// and filters windows write the same kinds of files under the same guard.
TEST_F(WindowBoundaryTest, WindowsThatWriteShowTheirFailureAndStayOpen) {
  store.AddMessage("In", "Hello", "hello\r\n");
  WriteBytes(store / "address.dat", "");
  Start();
  struct Case {
    const char* name;
    QAction* item;
    std::filesystem::path readOnly;
    std::function<void(QDialog&)> work;  // fills the window and presses the button
    std::string action;
  };
  const Case cases[] = {
      {"address book", window->addressBookAction, store / "address.dat",
       [](QDialog& dialog) {
         auto& book = dynamic_cast<ui::AddressBookDialog&>(dialog);
         book.nameList->setEditText("Bob");
         book.emailAddressEdit->setText("bob@example.org");
         book.addButton->click();
       },
       "\"Add\""},
      {"key management", window->keyManagementAction, store / "",
       [](QDialog& dialog) {
         auto& keys = dynamic_cast<ui::KeyManagementDialog&>(dialog);
         keys.keyNameEdit->setText("Home");
         keys.keyTextEdit->setText("123456789123456789");
         keys.addUpdateButton->click();
       },
       "\"Add/Update\""},
      {"clean-up", window->cleanUpInBoxAction, store / "inbox.dat",
       [](QDialog& dialog) {
         auto& cleanUp = dynamic_cast<ui::CleanUpDialog&>(dialog);
         cleanUp.messageList->item(0)->setSelected(true);
         cleanUp.deleteButton->click();
       },
       "\"Delete\""},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    dialogs.shown.clear();
    dialogs.answers = {base::Answer::Yes};
    bool stillOpen = false;
    desktop.onModal.push_back([&](QDialog& dialog) {
      test.work(dialog);
      stillOpen = dialog.isVisible();
    });
    {
      ReadOnly readOnly(test.readOnly);
      BindingPermissions binding;
      test.item->trigger();
    }
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_THAT(dialogs.shown[0].text, StartsWith(Failure(test.action, "Cannot ")));
    EXPECT_THAT(dialogs.shown[0].text, HasSubstr(store.Folder()));
    EXPECT_THAT(dialogs.shown[0].text, HasSubstr(": Permission denied."));
    EXPECT_TRUE(stillOpen);
  }
  EXPECT_THAT(store.Subjects("In"), ElementsAre("Hello"));
}

}  // namespace
}  // namespace ostrel::testing
