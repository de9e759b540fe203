#pragma once
// A retrieved message taken apart: the header fields as text, the text and
// HTML bodies decoded to UTF-8, and the attachments ready to be saved.

#include <string>
#include <string_view>
#include <vector>

namespace ostrel::transport {

struct ReceivedAttachment {
  std::string name;   // as the message gives it, decoded (UTF-8), not yet made safe
  std::string bytes;  // decoded from its transfer encoding
};

class ReceivedMessage {
 public:
  // Parses the raw message; whatever cannot be parsed stays empty.
  void Load(std::string_view raw);

  // The index-th recipient of "To" (from 1), "" when there is none.
  std::string Recipient(int index) const;
  std::string Sender() const { return sender_; }
  std::string Subject() const { return subject_; }
  std::string HtmlBody() const { return htmlBody_; }
  std::string TextBody() const { return textBody_; }
  // The "Date" header as written by the sender.
  std::string Date() const { return date_; }
  int AttachmentCount() const { return static_cast<int>(attachments_.size()); }
  const std::vector<ReceivedAttachment>& Attachments() const { return attachments_; }


 private:
  std::vector<std::string> recipients_;
  std::string sender_;
  std::string subject_;
  std::string htmlBody_;
  std::string textBody_;
  std::string date_;
  std::vector<ReceivedAttachment> attachments_;
};

}  // namespace ostrel::transport
