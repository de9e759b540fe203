#pragma once
// Messages fetched by a mail check, filed together. A batch pays for its
// safety once: the files of all its messages are flushed to disk at once,
// the records of each box appended in one write, and the identifiers in one,
// in the order the receipt journal describes (receipt_journal.h), so that a
// kill at any moment neither loses a message nor files one twice.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/safe_file.h"
#include "store/box_record.h"

namespace ostrel::store {

struct IncomingAttachment {
  std::string name;   // a plain file name, already made safe
  std::string bytes;
};

struct IncomingMessage {
  std::string box;  // "In" or "Junk"
  BoxRecord record;  // its MsgFile is set when it is filed
  std::string text;  // the ".txt" file's bytes
  std::string web;   // the ".htm" file's bytes
  std::vector<IncomingAttachment> attachments;  // saved into "Save"
  std::string receivedLine;  // its line in "uidl.dat", without CR LF
};

struct FiledMessage {
  std::string box;
  std::string name;  // "MSG12"
  std::vector<std::filesystem::path> attachments;  // where they were saved
  std::string receivedLine;
};

class ReceivedBatch {
 public:
  explicit ReceivedBatch(std::filesystem::path programFolder);
  ReceivedBatch(const ReceivedBatch&) = delete;
  ReceivedBatch& operator=(const ReceivedBatch&) = delete;
  ~ReceivedBatch();

  // Writes the message's files under temporary names at once, so that the
  // batch keeps no more than their names. Throws std::system_error.
  void Add(const IncomingMessage& message);
  std::size_t Count() const { return pending_.size(); }
  // Of the files written since the last File.
  std::uint64_t Bytes() const { return bytes_; }

  // Files the messages added since the last File, in that order, under the
  // store lock. A message whose line "uidl.dat" already holds (another run
  // filed it meanwhile) is dropped. Throws std::system_error when the batch
  // cannot be filed; it is then taken back, or finished when its records
  // are already on disk, or left to the next run with its journal.
  std::vector<FiledMessage> File();

 private:
  struct Pending;

  std::vector<FiledMessage> FileUnderLock();

  std::filesystem::path programFolder_;
  // Each box as Add was given it: its name as spelled, and its folder.
  std::map<std::string, std::pair<std::string, std::filesystem::path>> boxes_;
  std::vector<std::unique_ptr<Pending>> pending_;
  std::uint64_t bytes_ = 0;
};

}  // namespace ostrel::store
