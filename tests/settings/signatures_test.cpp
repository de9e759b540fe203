#include "settings/signatures.h"

#include "settings_fixture.h"

namespace ostrel::settings {
namespace {

using Signatures = SettingsTest;

TEST_F(Signatures, WithoutAFileTheWindowOpensEmpty) {
  const SignaturesForm form = LoadSignatures(folder.Path());
  EXPECT_TRUE(form.names.empty());
  EXPECT_EQ(form.nameBox + form.signatureBox + CurrentSignature(folder.Path()), "");
  EXPECT_EQ(ReadBytes(folder / "sigs.dat"), "");
}

TEST_F(Signatures, AddWithoutTextWritesNothing) {
  EXPECT_FALSE(AddOrUpdateSignature(folder.Path(), "Name", "", dialogs));
  EXPECT_EQ(dialogs.ShownTexts(), Texts{"Cannot Add or Update.  Missing Name and/or Signature Data."});
  EXPECT_FALSE(std::filesystem::exists(folder / "sig.cur"));
  EXPECT_EQ(ReadBytes(folder / "sigs.dat"), "");
}

// A name is matched exactly; the window opens on the first record, while
// the last text saved is the current signature.
TEST_F(Signatures, EachSaveIsStoredUnderItsExactNameAsTheCurrentSignature) {
  ASSERT_TRUE(AddOrUpdateSignature(folder.Path(), "Work", "Jane\r\nACME", dialogs));
  EXPECT_EQ(ReadBytes(folder / "sigs.dat"),
            std::string("Work").append(26, ' ') + std::string("Jane\r\nACME").append(990, ' '));
  EXPECT_EQ(ReadBytes(folder / "sig.cur"), "Jane\r\nACME\r\n");
  ASSERT_TRUE(AddOrUpdateSignature(folder.Path(), "Home", "Jane", dialogs));
  ASSERT_TRUE(AddOrUpdateSignature(folder.Path(), "Work", "J. Doe", dialogs));
  ASSERT_TRUE(AddOrUpdateSignature(folder.Path(), "work", "three", dialogs));
  EXPECT_EQ(dialogs.ShownTexts(),
            (Texts{"Signature Added.", "Signature Added.", "Signature Updated.", "Signature Added."}));
  EXPECT_EQ(ReadSignatures(folder.Path()),
            (std::vector<SignatureRecord>{{"Work", "J. Doe"}, {"Home", "Jane"}, {"work", "three"}}));
  EXPECT_EQ(CurrentSignature(folder.Path()), "three");
  const SignaturesForm form = LoadSignatures(folder.Path());
  EXPECT_EQ(form.nameBox, "Work");
  EXPECT_EQ(form.signatureBox, "J. Doe");
}

TEST_F(Signatures, ALongTextIsCutInTheStoreButKeptWholeAsTheCurrentOne) {
  const std::string text(1200, 'x');
  ASSERT_TRUE(AddOrUpdateSignature(folder.Path(), "Long", text, dialogs));
  EXPECT_EQ(FindSignature(folder.Path(), "Long"), text.substr(0, 1000));
  EXPECT_EQ(ReadBytes(folder / "sig.cur"), text + "\r\n");
}

TEST_F(Signatures, UpdateReplacesTheLastRecordOfThatName) {
  const std::string record = std::string("Dup").append(27, ' ') + std::string("one").append(997, ' ');
  WriteBytes(folder / "sigs.dat", record + record);
  ASSERT_TRUE(AddOrUpdateSignature(folder.Path(), "Dup", "two", dialogs));
  EXPECT_EQ(ReadSignatures(folder.Path()), (std::vector<SignatureRecord>{{"Dup", "one"}, {"Dup", "two"}}));
  EXPECT_EQ(FindSignature(folder.Path(), "Dup"), "one");
}

class SignaturesToDelete : public Signatures {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AddOrUpdateSignature(folder.Path(), "Old", "old", dialogs));
    ASSERT_TRUE(AddOrUpdateSignature(folder.Path(), "Long", std::string(1200, 'x'), dialogs));
    ASSERT_TRUE(AddOrUpdateSignature(folder.Path(), "New", "new", dialogs));
    ASSERT_TRUE(AddOrUpdateSignature(folder.Path(), "Long", std::string(1200, 'x'), dialogs));
    dialogs.shown.clear();
  }
};

TEST_F(SignaturesToDelete, DeletingAnotherKeepsTheCurrent) {
  EXPECT_TRUE(DeleteSignature(folder.Path(), "Old", dialogs));
  EXPECT_EQ(dialogs.ShownTexts(), Texts{"Signature Deleted."});
  EXPECT_EQ(ReadBytes(folder / "sig.cur"), std::string(1200, 'x') + "\r\n");
  EXPECT_EQ(LoadSignatures(folder.Path()).names, (Texts{"Long", "New"}));
}

// The current text is longer than its record keeps; the stored forms match.
TEST_F(SignaturesToDelete, DeletingTheCurrentEmptiesSigCur) {
  EXPECT_TRUE(DeleteSignature(folder.Path(), "Long", dialogs));
  EXPECT_EQ(dialogs.ShownTexts(), Texts{"Signature Deleted."});
  EXPECT_EQ(ReadBytes(folder / "sig.cur"), "");
  EXPECT_EQ(LoadSignatures(folder.Path()).names, (Texts{"Old", "New"}));
}

TEST_F(SignaturesToDelete, DeleteRefusesAMissingOrUnknownName) {
  const std::string before = ReadBytes(folder / "sigs.dat");
  EXPECT_FALSE(DeleteSignature(folder.Path(), "old", dialogs));  // names keep their letter case
  EXPECT_FALSE(DeleteSignature(folder.Path(), "", dialogs));
  EXPECT_EQ(dialogs.ShownTexts(), (Texts{"There is no Signature named old.", "Cannot Delete.  Missing Signature Name."}));
  EXPECT_EQ(ReadBytes(folder / "sigs.dat"), before);
}

}  // namespace
}  // namespace ostrel::settings
