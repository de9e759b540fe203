// The load and activation steps of an installation, and an exit without
// the option to empty the Trash.

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

constexpr const char* kSetupMessage = "Setup has not been performed.  Click File/Options and define your parameters.";

void WriteOptions(const std::filesystem::path& folder, bool checkOnStartup) {
  settings::OptionsFile file;
  file.options.CheckMailOnStartup = checkOnStartup;
  settings::WriteOptions(folder, file);
}

// An installation started the way the program starts it, once its folder is filled.
class StartedTest : public ::testing::Test {
 protected:
  Installation& Start(bool checkOnStartup = false) {
    WriteOptions(store.Folder(), checkOnStartup);
    started.emplace(store.Folder(), dialogs);
    started->LoadStep();
    return *started;
  }

  StoreFolder store;
  RecordingDialogs dialogs;
  std::optional<Installation> started;
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
}

TEST_F(StartedTest, TheFirstOfTwoDefaultKeysIsLoaded) {
  keys::WriteKeys(store.Folder(), {{"plain", "111111111111111111", false},
                                   {"first", "123456789123456789", true},
                                   {"second", "987654321987654321", true},
                                   {"copy", "123456789123456789", false}});
  Installation& installation = Start();
  EXPECT_EQ(installation.CurrentKey, "123456789123456789");
  EXPECT_TRUE(installation.Engine.KeyLoaded());
}

TEST_F(StartedTest, ADefaultKeyThatCannotBeLoadedLeavesNoKeyCurrent) {
  // A minus sign before a digit gives wheel positions that do not exist.
  keys::WriteKeys(store.Folder(), {{"broken", "-9-9-9-9-9-9-9-9-9", true}, {"copy", "-9-9-9-9-9-9-9-9-9", false}});
  Installation& installation = Start();
  EXPECT_EQ(installation.CurrentKey, "");
  EXPECT_FALSE(installation.Engine.KeyLoaded());
  EXPECT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(installation.ActivationStep().shownKeyName, "") << "no key is shown as active without its keyspace";
}

TEST_F(StartedTest, MailIsCheckedOnTheFirstActivationOnlyAndTheTrashStaysWithoutTheOption) {
  store.AddMessages("In", {"a"});
  store.AddMessages("Trash", {"t"});
  Installation& installation = Start(true);

  EXPECT_EQ(installation.ActivationStep().next, Activation::Next::CheckMail);
  EXPECT_EQ(installation.ActivationStep().box->caption, "InBox (1 msgs)");
  installation.ExitStep();
  EXPECT_EQ(store.Subjects("Trash"), (Names{"t"}));
}

}  // namespace
}  // namespace ostrel::store
