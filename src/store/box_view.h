#pragma once
// What the grid shows of a box: its rows, newest message first, and the
// frame caption with the count ("InBox (3 msgs)").

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/fixed_records.h"

namespace ostrel::store {

struct BoxRow {
  std::size_t record = 0;  // record number in the box list file
  std::string From;        // as stored, with the blanks that pad it
  std::string Subject;
  std::string Date;
  std::string MsgFile;     // trimmed: the name of the message's files

  // The hidden first column: the record number in print form (" 3").
  std::string RecordText() const;

  bool operator==(const BoxRow&) const = default;
};

struct BoxView {
  std::string caption;  // "InBox (3 msgs)"
  std::size_t count = 0;
  std::vector<BoxRow> rows;  // newest (highest record number) first
};

// The row of the message with this name (0 = newest), so that a reload can
// keep the highlight on the same message; nothing when it is not there.
std::optional<std::size_t> RowOfMessage(const BoxView& view, std::string_view messageName);

// "InBox (3 msgs)".
std::string FrameCaption(std::string_view boxCaption, std::size_t count);

// The box list of a box the grid shows ("In", "Sent", "Junk", "Trash"),
// created empty when missing; nothing for any other name.
std::optional<BoxView> LoadBoxView(const std::filesystem::path& programFolder, std::string_view boxName);

// Row by row access for a grid model over a box of any size: reads only the
// records asked for. The count is taken once, when the reader is made.
class BoxRowReader {
 public:
  // Throws std::invalid_argument for a name that is not a box the grid shows.
  BoxRowReader(const std::filesystem::path& programFolder, std::string_view boxName);

  std::size_t Count() const { return count_; }
  const std::string& Caption() const { return caption_; }
  // Row r (1 = newest); nothing past the end or when the list has shrunk.
  std::optional<BoxRow> Row(std::size_t r) const;

 private:
  base::RecordFile list_;
  std::size_t count_ = 0;
  std::string caption_;
};

}  // namespace ostrel::store
