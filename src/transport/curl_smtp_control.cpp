#include "transport/curl_smtp_control.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "transport/curl_session.h"
#include "transport/failure_text.h"

namespace ostrel::transport {
namespace {

struct Upload {
  const std::string* bytes = nullptr;
  size_t position = 0;
  const std::function<void(std::uint64_t, std::uint64_t)>* progress = nullptr;
};

size_t ReadUpload(char* buffer, size_t size, size_t count, void* userData) {
  auto* upload = static_cast<Upload*>(userData);
  const size_t room = size * count;
  const size_t left = upload->bytes->size() - upload->position;
  const size_t chunk = std::min(room, left);
  std::memcpy(buffer, upload->bytes->data() + upload->position, chunk);
  upload->position += chunk;
  return chunk;
}

int ReportProgress(void* userData, curl_off_t, curl_off_t, curl_off_t uploadTotal,
                   curl_off_t uploaded) {
  auto* upload = static_cast<Upload*>(userData);
  if (*upload->progress && uploadTotal > 0) {
    (*upload->progress)(static_cast<std::uint64_t>(uploaded),
                        static_cast<std::uint64_t>(uploadTotal));
  }
  return 0;
}

std::string EnvelopeForm(const std::string& address) { return "<" + address + ">"; }

}  // namespace

base::Result<> SendMail(const SmtpLogin& login, const OutgoingMail& mail, const std::filesystem::path& programFolder,
                        const std::function<void(std::uint64_t, std::uint64_t)>& progress) {
  if (HasLineBreak(login.userName) || HasLineBreak(login.password)) return base::Failure{kLineBreakInLogin};
  const auto parsed = ParseServerAddress(login.server, MailProtocol::Smtp);
  if (!parsed) return base::Failure{parsed.Reason()};
  const ServerAddress& server = *parsed;

  const auto built = BuildMessage(mail);
  if (!built) return base::Failure{built.Reason()};
  const BuiltMessage& message = *built;

  CurlSession session(server, login.userName, login.password, programFolder);
  CURL* handle = session.Handle();
  const std::string from = EnvelopeForm(message.envelopeSender);
  curl_slist* recipients = nullptr;
  for (const auto& address : message.envelopeRecipients) {
    recipients = curl_slist_append(recipients, EnvelopeForm(address).c_str());
  }
  const CurlList recipientList(recipients);

  Upload upload{&message.bytes, 0, &progress};
  curl_easy_setopt(handle, CURLOPT_MAIL_FROM, from.c_str());
  curl_easy_setopt(handle, CURLOPT_MAIL_RCPT, recipients);
  curl_easy_setopt(handle, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(handle, CURLOPT_READFUNCTION, ReadUpload);
  curl_easy_setopt(handle, CURLOPT_READDATA, &upload);
  curl_easy_setopt(handle, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(message.bytes.size()));
  curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, ReportProgress);
  curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &upload);

  const CURLcode result = curl_easy_perform(handle);
  if (result == CURLE_OK) return {};
  return base::Failure{FailureText(result, session.ResponseCode(), session.Detail(), server)};
}

CurlSmtpControl::CurlSmtpControl(std::filesystem::path programFolder)
    : programFolder_(std::move(programFolder)) {}

CurlSmtpControl::~CurlSmtpControl() { Wait(); }

void CurlSmtpControl::Wait() {
  if (!worker_.joinable()) return;
  // An event handler that ends the control runs on the worker itself, which
  // cannot wait for itself; it is about to finish anyway.
  if (worker_.get_id() == std::this_thread::get_id()) {
    worker_.detach();
    return;
  }
  worker_.join();
}

void CurlSmtpControl::Send() {
  if (worker_.joinable() && worker_.get_id() == std::this_thread::get_id()) {
    if (events_.error) events_.error("A message is already being sent.");
    return;
  }
  // One message at a time: the fields of the next one wait for this one.
  Wait();
  worker_ = std::thread([login = SmtpLogin{server_, userName_, password_}, mail = mail_,
                         events = events_, folder = programFolder_] {
    base::Result<> sent;
    try {
      sent = SendMail(login, mail, folder, events.progress);
    } catch (const std::exception& problem) {
      sent = base::Failure{std::string("The message could not be sent: ") + problem.what()};
    }
    if (!sent) {
      if (events.error) events.error(sent.Reason());
    } else if (events.completion) {
      events.completion();
    }
  });
}

}  // namespace ostrel::transport
