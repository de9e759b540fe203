#include "keys/key_store.h"

#include "keys_fixture.h"

namespace ostrel::keys {
namespace {

using KeyStore = KeysTest;

// Fields are padded or cut (on a character boundary, as the fixed records
// tests show).
TEST(KeyRecord, FieldsAreCutOrPadded) {
  EXPECT_EQ(FormatKeyRecord({"Home", "4711", false}),
            std::string("Home").append(36, ' ') + "4711" + std::string(14, ' ') + "N");
  EXPECT_EQ(FormatKeyRecord({std::string(45, 'n'), "1234567890123456789012", true}),
            std::string(40, 'n') + "123456789012345678" + "Y");
}

TEST(KeyRecord, ReadFieldsAreTrimmedWithOnlyAnUpperCaseYMeaningDefault) {
  EXPECT_EQ(ParseKeyRecord(std::string("  Home").append(34, ' ') + " 4711" + std::string(13, ' ') + "y"),
            (KeyRecord{"Home", "4711", false}));
}

TEST_F(KeyStore, DefaultKeyInTheSecondOfThreeRecords) {
  std::filesystem::copy_file(kData / "keys/key-default-in-record-2.dat", folder / "key.dat");
  const auto records = ReadKeys(folder.Path());
  EXPECT_EQ(KeyNames(records), (Texts{"Office", "Home", "Club"}));
  EXPECT_EQ(ReadDefaultKey(folder.Path()), (KeyRecord{"Home", "987654321987654321", true}));
  EXPECT_EQ(FindKey(records, "Club")->keyText, "4711");
  EXPECT_FALSE(FindKey(records, "home"));
  EXPECT_FALSE(FindKey(records, "Home "));

  std::filesystem::copy_file(kData / "keys/key-third-record-cut-short.dat", folder / "key.dat",
                             std::filesystem::copy_options::overwrite_existing);
  const auto cutShort = ReadKeys(folder.Path());
  ASSERT_EQ(cutShort.size(), 3u);
  EXPECT_EQ(cutShort[2], (KeyRecord{"Club", "", false}));  // a record cut short is counted, without key text
}

TEST_F(KeyStore, RecordCountRoundsHalfToEven) {
  const std::pair<std::size_t, std::size_t> lengthToCount[] = {{0, 0}, {29, 0}, {30, 1}, {59, 1}, {88, 1},
                                                               {89, 2}, {147, 2}, {148, 3}, {177, 3}};
  for (const auto& [length, count] : lengthToCount) {
    WriteBytes(folder / "key.dat", std::string(length, 'k'));
    EXPECT_EQ(KeyRecordCount(folder.Path()), count) << length;
  }
}

TEST_F(KeyStore, AMissingStoreIsCreatedEmptyPrivateWhereItCanBe) {
  EXPECT_TRUE(ReadKeys(folder.Path()).empty());
  EXPECT_EQ(ReadBytes(folder / "key.dat"), "");
  EXPECT_EQ(testing::FileMode(folder / "key.dat"), 0600u);
  EXPECT_FALSE(ReadDefaultKey(folder.Path()));
  // A folder where nothing can be created reads as an empty store.
  EXPECT_TRUE(ReadKeys(folder / "not there").empty());
  EXPECT_FALSE(ReadDefaultKey(folder / "not there"));
}

TEST_F(KeyStore, WrittenStoresArePrivateReadingBackByteForByte) {
  const std::string fixture = ReadBytes(kData / "keys/key-default-in-record-2.dat");
  WriteBytes(folder / "key.dat", fixture);
  WriteKeys(folder.Path(), ReadKeys(folder.Path()));
  EXPECT_EQ(ReadBytes(folder / "key.dat"), fixture);
  EXPECT_EQ(testing::FileMode(folder / "key.dat"), 0600u);
  WriteSelectedKey(folder.Path(), "4711");
  EXPECT_EQ(ReadBytes(folder / "key.key"), "4711\r\n");
  EXPECT_EQ(testing::FileMode(folder / "key.key"), 0600u);
}

}  // namespace
}  // namespace ostrel::keys
