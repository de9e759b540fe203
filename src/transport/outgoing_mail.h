#pragma once
// The MIME message built from what the sending window hands over: the text
// as a text part and every attachment as a base64 part with its file name.

#include <string>
#include <vector>

#include "base/result.h"

namespace ostrel::transport {

struct OutgoingMail {
  std::string recipient;       // ";"-separated addresses, each "a@b" or "Name <a@b>"
  std::string sender;          // one address
  std::string subject;         // UTF-8
  std::string text;            // UTF-8
  std::string attachmentList;  // ";"-separated file paths, may be empty
};

struct BuiltMessage {
  std::string bytes;  // RFC 5322 message with CR LF line ends
  std::string envelopeSender;
  std::vector<std::string> envelopeRecipients;
};

// The bare addresses of a ";"-separated recipient text (blank pieces are
// skipped), or an error naming the first piece that is not an address.
base::Result<std::vector<std::string>> EnvelopeRecipients(const std::string& recipient);

// Reads the attachments and builds the message with "Date", "Message-ID" and
// "MIME-Version". Line breaks in the recipient and the subject become blanks,
// so they never reach the header as a line of their own.
base::Result<BuiltMessage> BuildMessage(const OutgoingMail& mail);

}  // namespace ostrel::transport
