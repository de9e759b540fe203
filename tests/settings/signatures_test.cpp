#include "settings/signatures.h"

#include <gtest/gtest.h>

#include "support/recording_dialogs.h"
#include "support/temp_folder.h"

namespace ostrel::settings {
namespace {

using ostrel::testing::ReadBytes;
using ostrel::testing::RecordingDialogs;
using ostrel::testing::TempFolder;
using ostrel::testing::WriteBytes;
using Texts = std::vector<std::string>;

class Signatures : public ::testing::Test {
 protected:
  const std::filesystem::path& Folder() const { return folder_.Path(); }

  TempFolder folder_;
  RecordingDialogs dialogs_;
};

TEST_F(Signatures, WithoutAFileTheWindowOpensEmpty) {
  const SignaturesForm form = LoadSignatures(Folder());
  EXPECT_TRUE(form.names.empty());
  EXPECT_EQ(form.nameBox + form.signatureBox + CurrentSignature(Folder()), "");
  EXPECT_EQ(ReadBytes(Folder() / "sigs.dat"), "");
}

TEST_F(Signatures, AddWithoutNameOrTextWritesNothing) {
  const std::pair<const char*, const char*> cases[] = {{"", "text"}, {"Name", ""}};
  for (const auto& [name, text] : cases) {
    SCOPED_TRACE(std::string(name) + " / " + text);
    RecordingDialogs dialogs;
    EXPECT_FALSE(AddOrUpdateSignature(Folder(), name, text, dialogs));
    EXPECT_EQ(dialogs.ShownTexts(), Texts{"Cannot Add or Update.  Missing Name and/or Signature Data."});
  }
  EXPECT_FALSE(std::filesystem::exists(Folder() / "sig.cur"));
  EXPECT_EQ(ReadBytes(Folder() / "sigs.dat"), "");
}

TEST_F(Signatures, AddStoresTheRecordAsTheCurrentSignature) {
  ASSERT_TRUE(AddOrUpdateSignature(Folder(), "Work", "Jane\r\nACME", dialogs_));
  EXPECT_EQ(ReadBytes(Folder() / "sigs.dat"),
            std::string("Work").append(26, ' ') + std::string("Jane\r\nACME").append(990, ' '));
  EXPECT_EQ(ReadBytes(Folder() / "sig.cur"), "Jane\r\nACME\r\n");
  EXPECT_EQ(dialogs_.ShownTexts(), Texts{"Signature Added."});
}

TEST_F(Signatures, AddUnderAKnownNameUpdatesItsRecord) {
  ASSERT_TRUE(AddOrUpdateSignature(Folder(), "Work", "Jane\r\nACME", dialogs_));
  ASSERT_TRUE(AddOrUpdateSignature(Folder(), "Home", "Jane", dialogs_));
  ASSERT_TRUE(AddOrUpdateSignature(Folder(), "Work", "J. Doe", dialogs_));
  EXPECT_EQ(dialogs_.ShownTexts(), (Texts{"Signature Added.", "Signature Added.", "Signature Updated."}));
  EXPECT_EQ(ReadSignatures(Folder()), (std::vector<SignatureRecord>{{"Work", "J. Doe"}, {"Home", "Jane"}}));
  EXPECT_EQ(CurrentSignature(Folder()), "J. Doe");
}

TEST_F(Signatures, ALongTextIsCutInTheStoreButKeptWholeAsTheCurrentOne) {
  const std::string text(1200, 'x');
  ASSERT_TRUE(AddOrUpdateSignature(Folder(), "Long", text, dialogs_));
  EXPECT_EQ(FindSignature(Folder(), "Long"), text.substr(0, 1000));
  EXPECT_EQ(ReadBytes(Folder() / "sig.cur"), text + "\r\n");
}

TEST_F(Signatures, UpdateReplacesTheLastRecordOfThatName) {
  const std::string record = std::string("Dup").append(27, ' ') + std::string("one").append(997, ' ');
  WriteBytes(Folder() / "sigs.dat", record + record);
  ASSERT_TRUE(AddOrUpdateSignature(Folder(), "Dup", "two", dialogs_));
  EXPECT_EQ(ReadSignatures(Folder()), (std::vector<SignatureRecord>{{"Dup", "one"}, {"Dup", "two"}}));
  EXPECT_EQ(FindSignature(Folder(), "Dup"), "one");
}

TEST_F(Signatures, LoadingShowsTheFirstSignatureWhileTheLastSavedStaysCurrent) {
  ASSERT_TRUE(AddOrUpdateSignature(Folder(), "First", "one", dialogs_));
  ASSERT_TRUE(AddOrUpdateSignature(Folder(), "Second", "two", dialogs_));
  ASSERT_TRUE(AddOrUpdateSignature(Folder(), "first", "three", dialogs_));  // letter case makes a new record
  const SignaturesForm form = LoadSignatures(Folder());
  EXPECT_EQ(form.names, (Texts{"First", "Second", "first"}));
  EXPECT_EQ(form.nameBox, "First");
  EXPECT_EQ(form.signatureBox, "one");
  EXPECT_EQ(FindSignature(Folder(), "First"), "one");
  EXPECT_EQ(FindSignature(Folder(), "first"), "three");
  EXPECT_EQ(CurrentSignature(Folder()), "three");
}

class SignaturesToDelete : public Signatures {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AddOrUpdateSignature(Folder(), "Old", "old", dialogs_));
    ASSERT_TRUE(AddOrUpdateSignature(Folder(), "Long", std::string(1200, 'x'), dialogs_));
    ASSERT_TRUE(AddOrUpdateSignature(Folder(), "New", "new", dialogs_));
    ASSERT_TRUE(AddOrUpdateSignature(Folder(), "Long", std::string(1200, 'x'), dialogs_));
    dialogs_.shown.clear();
  }
};

TEST_F(SignaturesToDelete, DeletingAnotherKeepsTheCurrent) {
  EXPECT_TRUE(DeleteSignature(Folder(), "Old", dialogs_));
  EXPECT_EQ(dialogs_.ShownTexts(), Texts{"Signature Deleted."});
  EXPECT_EQ(ReadBytes(Folder() / "sig.cur"), std::string(1200, 'x') + "\r\n");
  EXPECT_EQ(LoadSignatures(Folder()).names, (Texts{"Long", "New"}));
}

// The current text is longer than its record keeps; the stored forms match.
TEST_F(SignaturesToDelete, DeletingTheCurrentEmptiesSigCur) {
  EXPECT_TRUE(DeleteSignature(Folder(), "Long", dialogs_));
  EXPECT_EQ(dialogs_.ShownTexts(), Texts{"Signature Deleted."});
  EXPECT_EQ(ReadBytes(Folder() / "sig.cur"), "");
  EXPECT_EQ(LoadSignatures(Folder()).names, (Texts{"Old", "New"}));
}

TEST_F(SignaturesToDelete, DeleteRefusesAMissingOrUnknownName) {
  const std::pair<const char*, const char*> cases[] = {
      {"old", "There is no Signature named old."},  // names keep their letter case
      {"", "Cannot Delete.  Missing Signature Name."},
  };
  const std::string before = ReadBytes(Folder() / "sigs.dat");
  for (const auto& [name, shown] : cases) {
    SCOPED_TRACE(name);
    RecordingDialogs dialogs;
    EXPECT_FALSE(DeleteSignature(Folder(), name, dialogs));
    EXPECT_EQ(dialogs.ShownTexts(), Texts{shown});
  }
  EXPECT_EQ(ReadBytes(Folder() / "sigs.dat"), before);
}

}  // namespace
}  // namespace ostrel::settings
