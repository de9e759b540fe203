// The fast base64 decoder: the values of RFC 4648, text encoded by GMime,
// and the same message read through the fast and the lenient path.
#include "transport/base64_body.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "transport/gmime_support.h"
#include "transport/received_message.h"

namespace ostrel::transport {
namespace {

// GMime's encoder, lines of 76 characters ending in LF.
std::string GMimeBase64(const std::string& bytes) {
  // Room as GMIME_BASE64_ENCODE_LEN gives it.
  std::string text((bytes.size() + 2) / 57 * 77 + 77, '\0');
  int state = 0;
  guint32 save = 0;
  const size_t length = g_mime_encoding_base64_encode_close(reinterpret_cast<const unsigned char*>(bytes.data()),
                                                            bytes.size(), reinterpret_cast<unsigned char*>(text.data()),
                                                            &state, &save);
  text.resize(length);
  return text;
}

TEST(Base64Body, DecodesTheRfcValuesWhereverTheLinesBreak) {
  const std::pair<std::string, std::string> values[] = {{"", ""},         {"Zg==", "f"},         {"Zm8=", "fo"},
                                                        {"Zm9v", "foo"},  {"Zm9vYg==", "foob"},  {"Zm9vYmE=", "fooba"},
                                                        {"Zm9vYmFy", "foobar"}};
  for (const auto& [text, bytes] : values) {
    SCOPED_TRACE(text);
    EXPECT_EQ(DecodeWellFormedBase64(text), bytes);
    for (size_t cut = 0; cut <= text.size(); ++cut) {
      for (const char* lineBreak : {"\n", "\r\n"}) {
        const std::string broken = text.substr(0, cut) + lineBreak + text.substr(cut) + lineBreak;
        EXPECT_EQ(DecodeWellFormedBase64(broken), bytes) << "broken at " << cut;
      }
    }
  }
}

TEST(Base64Body, RefusesWhatOnlyALenientDecoderWouldRead) {
  for (const char* text : {"Zm9v YmFy", "Zm9vYmFy \r\n", "Zm9v\tYmFy", "Zm9vYg", "Zm9vY", "Zg=", "Z===", "=Zg=",
                           "Zg==Zg==", "Zg==\nZm9v", "Zm9v*YmFy", "Zm9v\x80YmFy"}) {
    EXPECT_EQ(DecodeWellFormedBase64(text), std::nullopt) << text;
  }
}

TEST(Base64Body, GivesBackWhatGMimeEncoded) {
  std::mt19937 random(11);
  std::vector<size_t> lengths;
  for (size_t length = 0; length < 200; ++length) lengths.push_back(length);
  lengths.push_back(100003);
  for (const size_t length : lengths) {
    std::string bytes(length, '\0');
    for (auto& byte : bytes) byte = static_cast<char>(random());
    EXPECT_EQ(DecodeWellFormedBase64(GMimeBase64(bytes)), bytes) << length << " bytes";
  }
}

// A well-formed attachment goes the fast way, one with blanks at its line ends
// GMime's way; both give the bytes that were encoded. 5000 bytes end in a
// group with padding.
TEST(Base64Body, AMessageGivesTheSameAttachmentEitherWay) {
  std::string bytes(5000, '\0');
  std::mt19937 random(5);
  for (auto& byte : bytes) byte = static_cast<char>(random());
  // Lines end in CR LF, as POP3 delivers them.
  std::string wellFormed;
  std::string blanks;
  for (const char c : GMimeBase64(bytes)) {
    wellFormed += c == '\n' ? std::string("\r\n") : std::string(1, c);
    blanks += c == '\n' ? std::string(" \r\n") : std::string(1, c);
  }
  for (const std::string& encoded : {wellFormed, blanks}) {
    SCOPED_TRACE(encoded == blanks ? "blanks" : "well-formed");
    const std::string raw =
        "From: a@example.test\r\nTo: b@example.test\r\nSubject: s\r\nMIME-Version: 1.0\r\n"
        "Content-Type: multipart/mixed; boundary=XYZ\r\n\r\n--XYZ\r\nContent-Type: text/plain\r\n"
        "Content-Transfer-Encoding: base64\r\n\r\naGVsbG8=\r\n--XYZ\r\n"
        "Content-Type: application/octet-stream; name=\"d.bin\"\r\nContent-Transfer-Encoding: base64\r\n"
        "Content-Disposition: attachment; filename=\"d.bin\"\r\n\r\n" +
        encoded + "--XYZ--\r\n";
    ReceivedMessage message;
    message.Load(raw);
    EXPECT_EQ(message.TextBody(), "hello");
    ASSERT_EQ(message.Attachments().size(), 1u);
    EXPECT_EQ(message.Attachments()[0].name, "d.bin");
    const std::string& got = message.Attachments()[0].bytes;
    EXPECT_EQ(got.size(), bytes.size());
    EXPECT_TRUE(got == bytes) << "first difference at "
                              << std::distance(got.begin(), std::mismatch(got.begin(), got.end(), bytes.begin(), bytes.end()).first);
  }
}

}  // namespace
}  // namespace ostrel::transport
