// Errors never end the program: start-up in a folder that cannot be written,
// Save with a settings file read-only, Delete Msg with a box list read-only,
// and the handlers of every other window that writes. Each failure shows what
// was done, the file and the system's reason; the program goes on; and where
// the action would have changed two files, nothing stored changes.

#include <map>

#include "settings/accounts.h"
#include "store/mail_box.h"
#include "support/file_permissions.h"
#include "ui/frm_address.h"
#include "ui/frm_clean_up.h"
#include "ui/frm_filters.h"
#include "ui/frm_key_management.h"
#include "ui/frm_options.h"
#include "ui/frm_signatures.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using ::testing::StartsWith;

// Every file and folder under the program folder, with the bytes of each file.
std::map<std::string, std::string> Stored(const std::filesystem::path& folder) {
  std::map<std::string, std::string> stored;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    const std::string name = std::filesystem::relative(entry.path(), folder).string();
    stored[name] = entry.is_directory() ? "<folder>" : ReadBytes(entry.path());
  }
  return stored;
}

std::string Failure(const std::string& action, const std::string& reason) {
  return action + " failed.\n\n" + reason;
}

class WindowBoundaryTest : public MainWindowTest {};

TEST_F(WindowBoundaryTest, StartUpInAFolderThatCannotBeWrittenSaysWhyAndTheProgramGoesOn) {
  struct Case {
    const char* name;
    bool folderReadOnly;    // else "inbox.dat" is a folder
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
    const auto before = Stored(folder / "");
    RecordingDialogs shown;
    ScriptedDesktop scripted;
    std::optional<ReadOnly> readOnly;
    if (test.folderReadOnly) readOnly.emplace(folder / "");
    BindingPermissions binding;

    ui::frmMain main(folder.Folder(), shown, scripted);
    main.Load();
    main.show();
    main.Activate();
    EXPECT_THAT(shown.ShownTexts(),
                ElementsAre(Failure("Start-up", "Cannot create " + (folder / "inbox.dat").string() + ": " +
                                                    test.reason + ".")));
    EXPECT_EQ(shown.shown[0].icon, base::Icon::Exclamation);
    EXPECT_TRUE(main.isVisible());
    EXPECT_FALSE(main.flex->isVisible());
    if (test.folderReadOnly) {
      EXPECT_EQ(Stored(folder / ""), before);
    } else {
      EXPECT_TRUE(std::filesystem::is_empty(folder / "inbox.dat"));
    }

    // The window still answers: another box shows, or says why it cannot.
    main.Image7->click();
    if (test.folderReadOnly) {
      ASSERT_EQ(shown.shown.size(), 2u);
      EXPECT_EQ(shown.shown[1].text,
                Failure("\"Junk\"", "Cannot create " + (folder / "junk.dat").string() + ": Permission denied."));
    } else {
      EXPECT_EQ(shown.shown.size(), 1u);
      EXPECT_EQ(main.Frame2->title(), "Junk (0 msgs)");
    }
  }
}

TEST_F(WindowBoundaryTest, SaveWithASettingsFileReadOnlySaysWhyKeepsTheWindowOpenAndWritesNothing) {
  settings::StoreAccount(store.Folder(), {"pop.example.org", "", "me", "", "", false, false, false, false, false});
  Start();
  const auto before = Stored(store / "");
  for (const char* file : {"email.opt", "accounts.dat"}) {
    SCOPED_TRACE(file);
    dialogs.shown.clear();
    bool stillOpen = false;
    {
      ReadOnly readOnly(store / file);
      BindingPermissions binding;
      Open<ui::frmOptions>(window->fleopt, [&](auto& options) {
        options.Text1->setText("smtp.example.org");
        options.Text2->setText("carol");
        options.Command4->click();
        stillOpen = options.isVisible();
      });
    }
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre(Failure("\"Save\"", "Cannot write " + (store / file).string() +
                                                                           ": Permission denied.")));
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(Stored(store / ""), before);
    EXPECT_EQ(window->Program().MailOptions.UserName, "");
  }
}

TEST_F(WindowBoundaryTest, DeleteMsgWithABoxListReadOnlySaysWhyAndMovesNothing) {
  store.AddMessage("In", "First", "one\r\n");
  store.AddMessage("In", "Second", "two\r\n");
  store.AddMessage("Trash", "Old", "old\r\n");
  Start();
  LeftClickRow(0);
  const auto before = Stored(store / "");
  for (const char* list : {"inbox.dat", "trash.dat"}) {
    SCOPED_TRACE(list);
    dialogs.shown.clear();
    {
      ReadOnly readOnly(store / list);
      BindingPermissions binding;
      RightClickRow(0, "popdel");
    }
    EXPECT_THAT(dialogs.ShownTexts(), ElementsAre(Failure("\"Delete Msg\"", "Cannot write " + (store / list).string() +
                                                                                ": Permission denied.")));
    EXPECT_EQ(Stored(store / ""), before);
    EXPECT_EQ(Caption(), "InBox (2 msgs)");
    EXPECT_EQ(window->PaneText(), "two\r\n");
  }
  // With the lists writable again the same message moves.
  RightClickRow(0, "popdel");
  EXPECT_THAT(store.Subjects("In"), ElementsAre("First"));
  EXPECT_THAT(store.Subjects("Trash"), ElementsAre("Old", "Second"));
}

// The other windows that write: each failure is shown under the caption of
// the button pressed, with the file and the reason, and the window stays.
// Files written whole are replaced through a new file in the program folder,
// so a read-only program folder is what stops those.
TEST_F(WindowBoundaryTest, EveryWindowThatWritesShowsItsFailureAndStaysOpen) {
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
      {"address book", window->fleadr, store / "address.dat",
       [](QDialog& dialog) {
         auto& book = dynamic_cast<ui::frmAddress&>(dialog);
         book.Combo1->setEditText("Bob");
         book.Text1->setText("bob@example.org");
         book.Command1->click();
       },
       "\"Add\""},
      {"signatures", window->flesig, store / "",
       [](QDialog& dialog) {
         auto& signatures = dynamic_cast<ui::frmSignatures&>(dialog);
         signatures.Combo1->setEditText("Work");
         signatures.Text1->setPlainText("Alice");
         signatures.Command1->click();
       },
       "\"Add/Update\""},
      {"filters", window->flefil, store / "",
       [](QDialog& dialog) {
         auto& filters = dynamic_cast<ui::frmFilters&>(dialog);
         filters.Text1->setPlainText("offer");
         filters.Command1->click();
       },
       "\"Save\""},
      {"key management", window->flekey, store / "",
       [](QDialog& dialog) {
         auto& keys = dynamic_cast<ui::frmKeyManagement&>(dialog);
         keys.Text1->setText("Home");
         keys.Text2->setText("123456789123456789");
         keys.Command4->click();
       },
       "\"Add/Update\""},
      {"clean-up", window->emcin, store / "inbox.dat",
       [](QDialog& dialog) {
         auto& cleanUp = dynamic_cast<ui::frmCleanUp&>(dialog);
         cleanUp.List1->item(0)->setSelected(true);
         cleanUp.Command1->click();
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
