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

TEST_F(FileCipherTest, AnExistingDestinationIsReplacedWhole) {
  std::filesystem::create_directories(folder / "sub");
  const auto destination = In("sub/a.txt.enc", std::string(5000, 'z'));
  engine.EncryptFile(In("sub/a.txt", "abc"), destination);
  EXPECT_EQ(testing::ReadBytes(destination), Encrypted("abc"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "sub"), {}), 2);
}

// Names with blanks, of 255 characters, or relative to the working folder.
TEST_F(FileCipherTest, AnyNameTheFileSystemTakesWorks) {
  std::filesystem::create_directories(folder / "my files");
  const std::pair<std::filesystem::path, std::filesystem::path> cases[] = {
      {folder / "my files" / "a letter.txt", folder / "my files" / "a letter.txt.enc"},
      {folder / "a.txt", folder / std::string(255, 'L')},
      {"a.txt", "bare.enc"}};
  const auto here = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path());
  for (const auto& [source, destination] : cases) {
    SCOPED_TRACE(destination);
    testing::WriteBytes(folder.Path() / source, "abc");
    engine.EncryptFile(source, destination);
    EXPECT_EQ(testing::ReadBytes(folder.Path() / destination), Encrypted("abc"));
  }
  std::filesystem::current_path(here);
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
