// The load, activation and exit steps of an installation.

#include <gtest/gtest.h>

#include <optional>

#include "keys/key_store.h"
#include "settings/mail_options.h"
#include "store/installation.h"
#include "store_folder.h"

namespace ostrel::store {
namespace {

using testing::Names;
using testing::ReadBytes;
using testing::RecordingDialogs;
using testing::StoreFolder;
using testing::TempFolder;
using testing::WriteBytes;

constexpr const char* kSetupMessage = "Setup has not been performed.  Click File/Options and define your parameters.";

void WriteOptions(const std::filesystem::path& folder, bool checkOnStartup, bool emptyTrashOnExit) {
  settings::OptionsFile file;
  file.options.PopServer = "pop.example.org";
  file.options.EmailAddress = "me@example.org";
  file.options.CheckMailOnStartup = checkOnStartup;
  file.options.EmptyTrashOnExit = emptyTrashOnExit;
  file.look = {"Arial", 10, 16777215, 0};
  settings::WriteOptions(folder, file);
}

// An installation started the way the program starts it, once its folder is filled.
class StartedTest : public ::testing::Test {
 protected:
  Installation& Start(bool checkOnStartup = false, bool emptyTrashOnExit = false) {
    WriteOptions(store.Folder(), checkOnStartup, emptyTrashOnExit);
    started.emplace(store.Folder(), dialogs);
    look = started->LoadStep();
    return *started;
  }

  StoreFolder store;
  RecordingDialogs dialogs;
  std::optional<Installation> started;
  std::optional<settings::TextLook> look;
};

TEST(LoadStepTest, AFirstStartInAnEmptyFolderMakesTheFoldersAndAsksForSetup) {
  TempFolder temp;
  const std::string folder = (temp.Path() / "fresh").string() + "/";
  RecordingDialogs dialogs;
  Installation installation(folder, dialogs);

  EXPECT_FALSE(installation.LoadStep().has_value());

  for (const char* name : {"Save", "Dec", "Enc", "In", "Out", "Trash", "Junk", "Sent"}) {
    EXPECT_TRUE(std::filesystem::is_directory(folder + name)) << name;
    EXPECT_EQ(testing::FileMode(folder + name), 0700u) << name;
  }
  EXPECT_EQ(testing::FileMode(folder), 0700u);
  for (const char* box : {"In", "Out", "Trash", "Junk", "Sent"}) {
    EXPECT_EQ(ReadBytes(folder + box + "/index.dat"), " 0\r\n") << box;
  }
  EXPECT_FALSE(std::filesystem::exists(folder + "Save/index.dat"));
  EXPECT_EQ(std::filesystem::file_size(folder + "email.opt"), 0u);
  EXPECT_EQ(testing::FileMode(folder + "email.opt"), 0600u);
  EXPECT_EQ(dialogs.shown, (std::vector<base::MessageBox>{{kSetupMessage, "", base::Buttons::Ok, base::Icon::None}}));
  EXPECT_EQ(dialogs.statuses, (Names{""}));
  EXPECT_TRUE(installation.Run.SetupMissing);

  const Activation first = installation.ActivationStep();
  EXPECT_TRUE(first.showNotice);
  EXPECT_TRUE(first.keyNames.empty());
  EXPECT_EQ(first.next, Activation::Next::Nothing);
  EXPECT_FALSE(first.box.has_value());
  EXPECT_EQ(std::filesystem::file_size(folder + "key.dat"), 0u);
  EXPECT_EQ(std::filesystem::file_size(folder + "opt.dne"), 0u);

  // The grid stays hidden on later activations too, until a box is chosen.
  const Activation later = installation.ActivationStep();
  EXPECT_FALSE(later.showNotice);
  EXPECT_EQ(later.next, Activation::Next::Nothing);
  EXPECT_EQ(installation.ChooseBox(BoxName::Sent)->caption, "Sent (0 msgs)");
}

TEST(LoadStepTest, SettingsSavedAfterAStartWithoutThemShowTheInBoxFromThenOn) {
  TempFolder temp;
  RecordingDialogs dialogs;
  Installation installation(temp.Path().string() + "/", dialogs);
  EXPECT_FALSE(installation.LoadStep().has_value());
  ASSERT_TRUE(installation.Run.SetupMissing);
  installation.SettingsSaved();
  EXPECT_FALSE(installation.Run.SetupMissing);
  const Activation next = installation.ActivationStep();
  EXPECT_EQ(next.next, Activation::Next::ShowBox);
  ASSERT_TRUE(next.box.has_value());
  EXPECT_EQ(next.box->caption, "InBox (0 msgs)");

  // A box the person chose before saving stays the one shown.
  Installation other(temp.Path().string() + "/", dialogs);
  other.LoadStep();
  other.ChooseBox(BoxName::Junk);
  other.SettingsSaved();
  EXPECT_EQ(other.ActivationStep().box->caption, "Junk (0 msgs)");
}

TEST_F(StartedTest, ALaterStartChangesNoIndexAndRemakesADeletedFolder) {
  for (const char* box : {"In", "Trash", "Junk"}) store.AddMessages(box, {box});
  std::filesystem::remove_all(store / "Junk");
  const Installation& installation = Start();

  ASSERT_TRUE(look.has_value());
  EXPECT_EQ(look->fontName, "Arial");
  EXPECT_EQ(store.Index("In"), " 1\r\n");
  EXPECT_EQ(store.Index("Trash"), " 1\r\n");
  EXPECT_EQ(store.Index("Junk"), " 0\r\n");
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(installation.Run.SetupMissing);
  EXPECT_EQ(installation.Selection.CurrentBox, BoxName::In);
  EXPECT_EQ(installation.MailOptions.PopServer, "pop.example.org");
  EXPECT_EQ(dialogs.statuses, (Names{""}));  // no default key: the status stays empty
}

TEST_F(StartedTest, TheFirstOfTwoDefaultKeysIsLoadedAndTheLastNameHoldingItIsShown) {
  keys::WriteKeys(store.Folder(), {{"plain", "111111111111111111", false},
                                   {"first", "123456789123456789", true},
                                   {"second", "987654321987654321", true},
                                   {"copy", "123456789123456789", false}});
  Installation& installation = Start();

  EXPECT_EQ(installation.CurrentKey, "123456789123456789");
  EXPECT_TRUE(installation.Engine.KeyLoaded());
  EXPECT_EQ(dialogs.statuses, (Names{"", "Generating Keyspace...", "Key is now loaded."}));

  const Activation activation = installation.ActivationStep();
  EXPECT_EQ(activation.keyNames, (Names{"plain", "first", "second", "copy"}));
  EXPECT_EQ(activation.shownKeyName, "copy");
}

TEST_F(StartedTest, ADefaultKeyThatCannotBeLoadedLeavesNoKeyCurrent) {
  // A minus sign before a digit gives wheel positions that do not exist.
  keys::WriteKeys(store.Folder(), {{"broken", "-9-9-9-9-9-9-9-9-9", true}, {"copy", "-9-9-9-9-9-9-9-9-9", false}});
  Installation& installation = Start();

  EXPECT_EQ(installation.CurrentKey, "");
  EXPECT_FALSE(installation.Engine.KeyLoaded());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_TRUE(dialogs.shown[0].text.starts_with("The key broken cannot be loaded.  ")) << dialogs.shown[0].text;
  EXPECT_EQ(dialogs.statuses, (Names{"", "Generating Keyspace...", ""}));
  const Activation activation = installation.ActivationStep();
  EXPECT_EQ(activation.keyNames, (Names{"broken", "copy"}));
  EXPECT_EQ(activation.shownKeyName, "") << "no key is shown as active without its keyspace";
}

TEST_F(StartedTest, MailIsCheckedOnTheFirstActivationOnlyAndTheTrashStaysWithoutTheOption) {
  WriteBytes(store / "opt.dne", "Done\r\n");
  store.AddMessages("In", {"a"});
  store.AddMessages("Trash", {"t"});
  Installation& installation = Start(true);
  EXPECT_TRUE(installation.Run.StartupCheckPending);

  const Activation first = installation.ActivationStep();
  EXPECT_FALSE(first.showNotice);
  EXPECT_EQ(first.next, Activation::Next::CheckMail);
  EXPECT_FALSE(installation.Run.StartupCheckPending);

  const Activation second = installation.ActivationStep();
  EXPECT_EQ(second.next, Activation::Next::ShowBox);
  ASSERT_TRUE(second.box.has_value());
  EXPECT_EQ(second.box->caption, "InBox (1 msgs)");
  installation.ExitStep();
  EXPECT_EQ(store.Subjects("Trash"), (Names{"t"}));
}

TEST_F(StartedTest, ExitEmptiesTheTrashWhenAskedAndLeavesNoWorkFiles) {
  keys::WriteKeys(store.Folder(), {{"k", "123456789123456789", true}});
  store.AddMessages("Trash", {"t"});
  Installation& installation = Start(false, true);
  ASSERT_TRUE(std::filesystem::exists(store / "k1.bin"));

  installation.ExitStep();

  EXPECT_EQ(ReadBytes(store / "trash.dat"), "");
  EXPECT_EQ(store.Files("Trash"), (testing::FolderContents{{"index.dat", " 1\r\n"}}));
  for (const char* work : {"k1.bin", "k1.brs", "k1.bcr", "k2.bin", "k3.bin", "k4.bin", "k5.bin", "k6.dat"}) {
    EXPECT_FALSE(std::filesystem::exists(store / work)) << work;
  }
}

TEST(InstallationTest, TwoInstallationsLiveSideBySide) {
  StoreFolder first;
  StoreFolder second;
  WriteOptions(first.Folder(), false, false);
  keys::WriteKeys(first.Folder(), {{"k", "123456789123456789", true}});
  first.AddMessage("In", "only in the first", "x\r\n");
  RecordingDialogs dialogs;
  Installation one(first.Folder(), dialogs);
  Installation two(second.Folder(), dialogs);
  one.LoadStep();
  two.LoadStep();
  EXPECT_TRUE(one.Engine.KeyLoaded());
  EXPECT_FALSE(two.Engine.KeyLoaded());
  EXPECT_TRUE(two.Run.SetupMissing);
  EXPECT_EQ(one.ActivationStep().box->caption, "InBox (1 msgs)");
  EXPECT_EQ(two.ChooseBox(BoxName::In)->caption, "InBox (0 msgs)");
}

}  // namespace
}  // namespace ostrel::store
