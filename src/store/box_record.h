#pragma once
// One message of a box list: the 290-byte record every box list file is made
// of. The fields keep their blanks exactly as stored; readers trim MsgFile.

#include <cstddef>
#include <string>
#include <string_view>

namespace ostrel::store {

inline constexpr std::size_t kBoxRecordLength = 290;
inline constexpr std::size_t kToWidth = 80;
inline constexpr std::size_t kFromWidth = 80;
inline constexpr std::size_t kSubjectWidth = 80;
inline constexpr std::size_t kDateWidth = 30;
inline constexpr std::size_t kMsgFileWidth = 20;
inline constexpr std::size_t kMsgFileOffset = kToWidth + kFromWidth + kSubjectWidth + kDateWidth;

struct BoxRecord {
  std::string To;
  std::string From;
  std::string Subject;
  std::string Date;
  std::string MsgFile;

  // The stored bytes: each field in the ANSI code page, cut to its width and
  // padded with blanks.
  std::string ToBytes() const;
  // Fields as UTF-8 text with their blanks; a short record reads as blank fields.
  static BoxRecord FromBytes(std::string_view bytes);

  // MsgFile without its blanks: the base name of the message files.
  std::string MessageName() const;

  bool operator==(const BoxRecord&) const = default;
};

// The same record with another MsgFile, every other byte unchanged.
std::string WithMessageName(std::string_view recordBytes, std::string_view messageName);

// The trimmed MsgFile of stored record bytes.
std::string MessageNameOf(std::string_view recordBytes);

}  // namespace ostrel::store
