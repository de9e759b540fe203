#include "transport/outgoing_mail.h"

#include <algorithm>

#include "base/safe_file.h"
#include "base/text_pieces.h"
#include "transport/gmime_support.h"

namespace ostrel::transport {
namespace {

struct Mailbox {
  std::string name;
  std::string address;
};

std::string WithoutLineBreaks(std::string text) {
  std::replace_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return text;
}

// The list's entries without their blanks; empty ones are left out.
std::vector<std::string> ListEntries(std::string_view text) {
  std::vector<std::string> entries;
  for (const std::string_view piece : base::SplitList(text)) {
    if (const auto entry = base::TrimBlanksAndTabs(piece); !entry.empty()) entries.emplace_back(entry);
  }
  return entries;
}

// An address fit for the SMTP envelope: one "@", printable, no blanks and
// nothing that could close the angle brackets of the envelope command.
bool IsEnvelopeAddress(const std::string& address) {
  const auto at = address.find('@');
  if (at == std::string::npos || at == 0 || at + 1 == address.size() ||
      address.find('@', at + 1) != std::string::npos) {
    return false;
  }
  return std::none_of(address.begin(), address.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= 0x20 || u == 0x7F || c == '<' || c == '>' || c == '(' || c == ')' || c == ',' ||
           c == ';' || c == '"' || c == '\\';
  });
}

// The address as written in a piece of the recipient text: between angle
// brackets when there are any, otherwise the whole piece.
std::string WrittenAddress(const std::string& piece) {
  const auto open = piece.rfind('<');
  if (open == std::string::npos) return piece;
  const auto close = piece.find('>', open);
  return close == std::string::npos ? std::string() : piece.substr(open + 1, close - open - 1);
}

base::Result<std::vector<Mailbox>> ParseMailboxes(const std::string& text) {
  EnsureGMime();
  std::vector<Mailbox> mailboxes;
  for (const auto& piece : ListEntries(WithoutLineBreaks(text))) {
    GObjectPtr<InternetAddressList> list(internet_address_list_parse(nullptr, piece.c_str()));
    const int count = list ? internet_address_list_length(list.get()) : 0;
    // GMime mends some broken addresses ("a@b@c" becomes "a@b"); a recipient
    // must get exactly the address that was written or none at all.
    if (count != 1) return base::Failure{"\"" + piece + "\" is not a valid e-mail address."};
    for (int i = 0; i < count; ++i) {
      InternetAddress* address = internet_address_list_get_address(list.get(), i);
      if (!INTERNET_ADDRESS_IS_MAILBOX(address)) {
        return base::Failure{"\"" + piece + "\" is not a valid e-mail address."};
      }
      const char* addr = internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(address));
      const char* name = internet_address_get_name(address);
      Mailbox mailbox{name ? name : "", addr ? addr : ""};
      if (!IsEnvelopeAddress(mailbox.address) || mailbox.address != WrittenAddress(piece)) {
        return base::Failure{"\"" + piece + "\" is not a valid e-mail address."};
      }
      mailboxes.push_back(std::move(mailbox));
    }
  }
  return mailboxes;
}

std::string FileNameOf(const std::string& path) {
  const auto separator = path.find_last_of("/\\");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

// Text with LF line ends; the whole message gets CR LF when it is written.
std::string WithUnixLineEnds(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      result += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

std::string WithNetworkLineEnds(const std::string& text) {
  std::string result;
  result.reserve(text.size() + text.size() / 32);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
    result += text[i];
  }
  return result;
}

GMimeObject* TextPart(const std::string& text) {
  GMimeTextPart* part = g_mime_text_part_new_with_subtype("plain");
  g_mime_text_part_set_text(part, WithUnixLineEnds(text).c_str());
  g_mime_part_set_content_encoding(
      GMIME_PART(part),
      g_mime_part_get_best_content_encoding(GMIME_PART(part), GMIME_ENCODING_CONSTRAINT_7BIT));
  return GMIME_OBJECT(part);
}

GMimeObject* AttachmentPart(const std::string& name, const std::string& bytes) {
  GMimePart* part = g_mime_part_new_with_type("application", "octet-stream");
  GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size()));
  GObjectPtr<GMimeDataWrapper> content(
      g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
  g_mime_part_set_content(part, content.get());
  g_mime_part_set_content_encoding(part, GMIME_CONTENT_ENCODING_BASE64);
  g_mime_part_set_filename(part, name.c_str());
  return GMIME_OBJECT(part);
}

std::string DomainOf(const std::string& address) {
  const auto at = address.find('@');
  return at == std::string::npos ? "localhost" : address.substr(at + 1);
}

}  // namespace

base::Result<std::vector<std::string>> EnvelopeRecipients(const std::string& recipient) {
  const auto parsed = ParseMailboxes(recipient);
  if (!parsed) return base::Failure{parsed.Reason()};
  std::vector<std::string> addresses;
  for (const auto& mailbox : *parsed) {
    addresses.push_back(mailbox.address);
  }
  if (addresses.empty()) return base::Failure{"No recipient has been given."};
  return addresses;
}

base::Result<BuiltMessage> BuildMessage(const OutgoingMail& mail) {
  EnsureGMime();
  const auto recipients = ParseMailboxes(mail.recipient);
  if (!recipients) return base::Failure{recipients.Reason()};
  const std::vector<Mailbox>& to = *recipients;
  if (to.empty()) return base::Failure{"No recipient has been given."};

  const auto senders = ParseMailboxes(mail.sender);
  if (!senders) return base::Failure{senders.Reason()};
  const std::vector<Mailbox>& from = *senders;
  if (from.size() != 1) {
    return base::Failure{"The sender \"" + mail.sender + "\" is not one valid e-mail address."};
  }

  BuiltMessage built;
  built.envelopeSender = from.front().address;
  for (const auto& mailbox : to) built.envelopeRecipients.push_back(mailbox.address);

  GObjectPtr<GMimeMessage> message(g_mime_message_new(TRUE));
  g_mime_message_add_mailbox(message.get(), GMIME_ADDRESS_TYPE_FROM, from.front().name.c_str(),
                             from.front().address.c_str());
  for (const auto& mailbox : to) {
    g_mime_message_add_mailbox(message.get(), GMIME_ADDRESS_TYPE_TO, mailbox.name.c_str(),
                               mailbox.address.c_str());
  }
  g_mime_message_set_subject(message.get(), WithoutLineBreaks(mail.subject).c_str(), "utf-8");
  GDateTime* now = g_date_time_new_now_local();
  g_mime_message_set_date(message.get(), now);
  g_date_time_unref(now);
  const std::string messageId =
      TakeGString(g_mime_utils_generate_message_id(DomainOf(built.envelopeSender).c_str()));
  g_mime_message_set_message_id(message.get(), messageId.c_str());

  const auto attachmentPaths = ListEntries(mail.attachmentList);
  GObjectPtr<GMimeObject> text(TextPart(mail.text));
  if (attachmentPaths.empty()) {
    g_mime_message_set_mime_part(message.get(), text.get());
  } else {
    GObjectPtr<GMimeMultipart> mixed(g_mime_multipart_new_with_subtype("mixed"));
    g_mime_multipart_add(mixed.get(), text.get());
    for (const auto& path : attachmentPaths) {
      const auto bytes = base::ReadWholeFile(path);
      if (!bytes) return base::Failure{"The attachment \"" + path + "\" cannot be read."};
      GObjectPtr<GMimeObject> part(AttachmentPart(FileNameOf(path), *bytes));
      g_mime_multipart_add(mixed.get(), part.get());
    }
    g_mime_message_set_mime_part(message.get(), GMIME_OBJECT(mixed.get()));
  }

  GObjectPtr<GMimeStream> output(g_mime_stream_mem_new());
  GMimeFormatOptions* options = g_mime_format_options_clone(nullptr);
  g_mime_format_options_set_newline_format(options, GMIME_NEWLINE_FORMAT_DOS);
  g_mime_object_write_to_stream(GMIME_OBJECT(message.get()), options, output.get());
  g_mime_format_options_free(options);
  GByteArray* array = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(output.get()));
  built.bytes = WithNetworkLineEnds(
      std::string(reinterpret_cast<const char*>(array->data), array->len));
  return built;
}

}  // namespace ostrel::transport
