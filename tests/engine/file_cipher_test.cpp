#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace ostrel::engine {
namespace {

class FileCipherTest : public EngineTest {
 protected:
  void SetUp() override { Load("564738291827364519"); }
  std::filesystem::path In(const std::string& name, const std::string& bytes) {
    testing::WriteBytes(folder / name, bytes);
    return folder / name;
  }
};

TEST_F(FileCipherTest, BlanksLongestAndBareNamesWorkAndAnExistingDestinationIsReplaced) {
  std::filesystem::create_directories(folder / "my files");
  const auto destination = folder / "my files" / "a letter.txt.enc";
  testing::WriteBytes(destination, std::string(5000, 'z'));
  engine.EncryptFile(In("my files/a letter.txt", "abc"), destination);
  EXPECT_EQ(testing::ReadBytes(destination), Encrypted("abc"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "my files"), {}), 2);
  const std::string longName(255, 'L');
  engine.EncryptFile(In("a.txt", "abc"), folder / longName);
  EXPECT_EQ(testing::ReadBytes(folder / longName), Encrypted("abc"));
  const auto here = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path());
  engine.EncryptFile("a.txt", "bare.enc");
  std::filesystem::current_path(here);
  EXPECT_EQ(testing::ReadBytes(folder / "bare.enc"), Encrypted("abc"));
}

TEST_F(FileCipherTest, DestinationThatIsTheSourceIsRefused) {
  const std::string plain = "do not destroy me";
  const auto source = In("same.txt", plain);
  std::filesystem::create_directories(folder / "sub");
  std::filesystem::create_symlink(source, folder / "link.txt");
  for (const auto& destination : {source, folder / "sub" / ".." / "same.txt", folder / "link.txt"}) {
    EXPECT_THROW(engine.EncryptFile(source, destination), EngineError) << destination;
    EXPECT_THROW(engine.DecryptFile(source, destination), EngineError) << destination;
    EXPECT_EQ(testing::ReadBytes(source), plain);
  }
  EXPECT_FALSE(WorkExists("Ostdec.dat"));
}

TEST_F(FileCipherTest, FailuresLeaveTheDestinationAsItWas) {
  Engine fresh(folder / "other");
  EXPECT_THROW(fresh.EncryptFile(In("a.txt", "abc"), folder / "b.enc"), EngineError);  // no key loaded
  EXPECT_FALSE(std::filesystem::exists(folder / "b.enc"));
  const auto destination = In("old.enc", "old contents");
  EXPECT_THROW(engine.EncryptFile(folder / "missing.txt", destination), EngineError);
  EXPECT_THROW(engine.EncryptFile(folder.Path(), destination), EngineError);
  EXPECT_EQ(testing::ReadBytes(destination), "old contents");
  EXPECT_THROW(engine.EncryptFile(In("a.txt", "abc"), folder / "no such folder" / "x.enc"), EngineError);
  EXPECT_THROW(engine.EncryptFile(folder / "a.txt", folder.Path()), EngineError);
  // Nothing half-written is left lying around.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 10);
}

TEST_F(FileCipherTest, EachDecryptedNameIsListedOnce) {
  engine.EncryptFile(In("a.txt", "abc"), folder / "a.enc");
  const std::string name = (folder / "out.txt").string();
  engine.DecryptFile(folder / "a.enc", folder / "out.txt");
  engine.DecryptFile(folder / "a.enc", folder / "out.txt");
  // A name that begins an already listed one adds nothing either.
  engine.DecryptFile(folder / "a.enc", folder / "out.tx");
  engine.DecryptFile(folder / "a.enc", folder / "out2.txt");
  // Names longer than a record are listed cut, and still only once.
  const std::string longName = (folder / std::string(90, 'n')).string();
  engine.DecryptFile(folder / "a.enc", longName);
  engine.DecryptFile(folder / "a.enc", longName);
  const std::string out2 = (folder / "out2.txt").string();
  EXPECT_EQ(WorkBytes("Ostdec.dat"), name + std::string(80 - name.size(), ' ') + out2 +
                                         std::string(80 - out2.size(), ' ') + longName.substr(0, 80));
}

}  // namespace
}  // namespace ostrel::engine
