#include "settings/mail_options.h"

#include "settings/comma_fields.h"
#include "settings_fixture.h"

namespace ostrel::settings {
namespace {

using OptionsFileTest = SettingsTest;

const std::filesystem::path kData = OSTREL_TEST_DATA;

OptionsFile Sample() {
  OptionsFile contents;
  contents.options = {"pop.example.net", "smtp.example.net", "jane", "pass word", "jane@example.net",
                      true,              false,              true,   false,       true};
  contents.look = {"Arial", 10.0F, 16777215, 0};
  return contents;
}

TEST_F(OptionsFileTest, FourteenLinesWithPrintFormNumbers) {
  EXPECT_EQ(FormatOptions(Sample()),
            "pop.example.net\r\nsmtp.example.net\r\njane\r\npass word\r\njane@example.net\r\n"
            "Y\r\nN\r\nY\r\nN\r\nY\r\nArial\r\n 10\r\n 16777215\r\n 0\r\n");
  OptionsFile fractional = Sample();
  fractional.look = {"Tahoma", 8.25F, static_cast<std::int32_t>(0x80000005u), -1};
  EXPECT_TRUE(FormatOptions(fractional).ends_with("Tahoma\r\n 8.25\r\n-2147483643\r\n-1\r\n"));
}

TEST_F(OptionsFileTest, AMissingFileIsCreatedPrivateEmptyMeaningNoSettings) {
  EXPECT_FALSE(HasSettings(folder.Path()));
  EXPECT_EQ(ReadBytes(folder / "email.opt"), "");
  EXPECT_EQ(testing::FileMode(folder / "email.opt"), 0600u);
  EXPECT_FALSE(ReadOptions(folder.Path()));
  WriteBytes(folder / "email.opt", "\r\n");
  EXPECT_TRUE(HasSettings(folder.Path()));
}

TEST_F(OptionsFileTest, AWrittenFileIsPrivateWindows1252ReadingBackAsWritten) {
  OptionsFile contents = Sample();
  contents.options.UserName = "J\xC3\xBCrgen";  // UTF-8 inside, Windows-1252 on disk
  WriteOptions(folder.Path(), contents);
  EXPECT_EQ(testing::FileMode(folder / "email.opt"), 0600u);
  EXPECT_NE(ReadBytes(folder / "email.opt").find("J\xFCrgen\r\n"), std::string::npos);
  EXPECT_EQ(ReadOptions(folder.Path()), contents);
}

TEST_F(OptionsFileTest, ReadsABlankPrefixedSizeANegativeColourWithStrictFlags) {
  OptionsFile expected;
  // Only an upper-case "Y" alone is yes: "y" and "Yes" are no.
  expected.options = {"pop.example.net", "smtp.example.net", "jane", "secret", "jane@example.net",
                      true,              false,              false,  false,    true};
  expected.look = {"Courier New", 8.25F, static_cast<std::int32_t>(0x80000005u), 0x00FF0000};
  EXPECT_EQ(ParseOptions(ReadBytes(kData / "settings/email-blank-size-negative-colour.opt")), expected);
}

TEST_F(OptionsFileTest, AShortFileGivesEmptyValues) {
  OptionsFile expected;
  expected.options.PopServer = "pop";
  expected.options.SmtpServer = "smtp";
  EXPECT_EQ(ParseOptions("pop\r\nsmtp"), expected);
  EXPECT_EQ(ParseOptions("\"unclosed"), ParseOptions("unclosed"));
}

TEST(CommaFields, SplitsAtCommasQuotesOrAnyLineEnd) {
  CommaFields fields("  lead,a b \r\n\"x, \"\"tail,\r\nlast\nlf\rcr");
  EXPECT_EQ(fields.Next(), "lead");
  EXPECT_EQ(fields.Next(), "a b ");
  EXPECT_EQ(fields.Next(), "x, ");  // quoted: the comma belongs to the field, the rest is dropped
  EXPECT_EQ(fields.Next(), "");
  EXPECT_EQ(fields.Next(), "last");
  EXPECT_EQ(fields.Next(), "lf");
  EXPECT_EQ(fields.Next(), "cr");
  EXPECT_EQ(fields.Next(), "");
}

}  // namespace
}  // namespace ostrel::settings
