#include "transport/received_message.h"

#include <optional>
#include <string_view>

#include "transport/base64_body.h"
#include "transport/encoded_words.h"
#include "transport/gmime_support.h"

namespace ostrel::transport {
namespace {

struct Collected {
  std::string* htmlBody;
  std::string* textBody;
  bool haveHtml = false;
  bool haveText = false;
  std::vector<ReceivedAttachment>* attachments;
};

// The content's bytes as the message carries them, still encoded, where the
// parser gave them as a bounded view of the message in memory.
std::optional<std::string_view> EncodedBytesInPlace(GMimeDataWrapper* content) {
  GMimeStream* stream = g_mime_data_wrapper_get_stream(content);
  if (!stream || !GMIME_IS_STREAM_MEM(stream)) return std::nullopt;
  const GByteArray* array = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(stream));
  if (!array) return std::nullopt;
  const auto length = static_cast<gint64>(array->len);
  const gint64 end = stream->bound_end < 0 ? length : stream->bound_end;
  if (stream->bound_start < 0 || stream->bound_start > end || end > length) return std::nullopt;
  return std::string_view(reinterpret_cast<const char*>(array->data) + stream->bound_start,
                          static_cast<size_t>(end - stream->bound_start));
}

std::string DecodedContent(GMimePart* part) {
  GMimeDataWrapper* content = g_mime_part_get_content(part);
  if (!content) return {};
  switch (g_mime_data_wrapper_get_encoding(content)) {
    case GMIME_CONTENT_ENCODING_BASE64:
      // Attachments come base64-encoded; GMime's decoder takes many times
      // longer over well-formed text than one that allows for nothing else.
      if (const auto encoded = EncodedBytesInPlace(content)) {
        if (auto bytes = DecodeWellFormedBase64(*encoded)) return std::move(*bytes);
      }
      break;
    case GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE:
    case GMIME_CONTENT_ENCODING_UUENCODE:
      break;
    default:
      // Not encoded for transfer: GMime would copy the bytes as they are.
      if (const auto encoded = EncodedBytesInPlace(content)) return std::string(*encoded);
      break;
  }
  GObjectPtr<GMimeStream> output(g_mime_stream_mem_new());
  g_mime_data_wrapper_write_to_stream(content, output.get());
  GByteArray* array = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(output.get()));
  return std::string(reinterpret_cast<const char*>(array->data), array->len);
}

std::string RawHeader(GMimeObject* object, const char* name) {
  GMimeHeaderList* headers = g_mime_object_get_header_list(object);
  GMimeHeader* header = headers ? g_mime_header_list_get_header(headers, name) : nullptr;
  const char* raw = header ? g_mime_header_get_raw_value(header) : nullptr;
  return raw ? raw : "";
}

std::string Trimmed(std::string text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// The body text of a part in UTF-8, from the charset it declares.
std::string TextOf(GMimePart* part) {
  const char* charset = g_mime_object_get_content_type_parameter(GMIME_OBJECT(part), "charset");
  return ToUtf8(DecodedContent(part), charset ? charset : "");
}

std::string AttachmentName(GMimeObject* object, GMimeContentType* type) {
  if (GMIME_IS_PART(object)) {
    if (const char* name = g_mime_part_get_filename(GMIME_PART(object))) {
      // Some senders put encoded words into a file name.
      return DecodeHeaderText(name);
    }
  }
  if (g_mime_content_type_is_type(type, "message", "rfc822")) return "message.eml";
  return "";
}

std::string MessagePartBytes(GMimeMessagePart* part) {
  GMimeMessage* inner = g_mime_message_part_get_message(part);
  if (!inner) return {};
  GObjectPtr<GMimeStream> output(g_mime_stream_mem_new());
  g_mime_object_write_to_stream(GMIME_OBJECT(inner), nullptr, output.get());
  GByteArray* array = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(output.get()));
  return std::string(reinterpret_cast<const char*>(array->data), array->len);
}

void CollectPart(GMimeObject*, GMimeObject* object, gpointer data) {
  auto* collected = static_cast<Collected*>(data);
  if (GMIME_IS_MULTIPART(object)) return;
  GMimeContentType* type = g_mime_object_get_content_type(object);

  if (GMIME_IS_MESSAGE_PART(object)) {
    collected->attachments->push_back(
        {AttachmentName(object, type), MessagePartBytes(GMIME_MESSAGE_PART(object))});
    return;
  }
  if (!GMIME_IS_PART(object)) return;
  GMimePart* part = GMIME_PART(object);
  const bool isAttachment = g_mime_part_is_attachment(part) != 0;
  if (!isAttachment && g_mime_content_type_is_type(type, "text", "plain") && !collected->haveText) {
    *collected->textBody = TextOf(part);
    collected->haveText = true;
    return;
  }
  if (!isAttachment && g_mime_content_type_is_type(type, "text", "html") && !collected->haveHtml) {
    *collected->htmlBody = TextOf(part);
    collected->haveHtml = true;
    return;
  }
  collected->attachments->push_back({AttachmentName(object, type), DecodedContent(part)});
}

std::vector<std::string> AddressTexts(InternetAddressList* list) {
  std::vector<std::string> texts;
  const int count = list ? internet_address_list_length(list) : 0;
  for (int i = 0; i < count; ++i) {
    InternetAddress* address = internet_address_list_get_address(list, i);
    texts.push_back(DecodeHeaderText(TakeGString(internet_address_to_string(address, nullptr, FALSE))));
  }
  return texts;
}

}  // namespace

void ReceivedMessage::Load(std::string_view raw) {
  *this = ReceivedMessage();
  EnsureGMime();
  GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(raw.data(), raw.size()));
  GObjectPtr<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
  GObjectPtr<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), nullptr));
  if (!message) return;

  GMimeObject* object = GMIME_OBJECT(message.get());
  recipients_ = AddressTexts(g_mime_message_get_to(message.get()));
  const auto senders = AddressTexts(g_mime_message_get_from(message.get()));
  if (!senders.empty()) sender_ = senders.front();
  // GMime's own subject decoding loses text between adjacent encoded words.
  subject_ = Trimmed(DecodeHeaderText(RawHeader(object, "Subject")));
  date_ = Trimmed(DecodeHeaderText(RawHeader(object, "Date")));

  Collected collected{&htmlBody_, &textBody_, false, false, &attachments_};
  g_mime_message_foreach(message.get(), CollectPart, &collected);
}

std::string ReceivedMessage::Recipient(int index) const {
  if (index < 1 || static_cast<size_t>(index) > recipients_.size()) return {};
  return recipients_[static_cast<size_t>(index - 1)];
}

}  // namespace ostrel::transport
