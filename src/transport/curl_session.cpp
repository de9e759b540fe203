#include "transport/curl_session.h"

#include <filesystem>
#include <mutex>
#include <system_error>
#include <stdexcept>

#include "base/safe_file.h"

namespace ostrel::transport {
namespace {

constexpr long kConnectSeconds = 20;
// A transfer slower than this many bytes per second for kStallSeconds is
// given up: the line is dead even if the socket has not noticed.
constexpr long kStallBytesPerSecond = 1;
constexpr long kStallSeconds = 60;

void InitialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
      throw std::runtime_error("The network library could not be started.");
    }
  });
}

template <typename Value>
void Set(CURL* handle, CURLoption option, Value value) {
  if (curl_easy_setopt(handle, option, value) != CURLE_OK) {
    throw std::runtime_error("The network library refused a setting.");
  }
}

}  // namespace

CurlSession::CurlSession(const ServerAddress& server, const std::string& userName,
                         const std::string& password, const std::filesystem::path& programFolder)
    : server_(server) {
  InitialiseCurlOnce();
  handle_.reset(curl_easy_init());
  if (!handle_) throw std::runtime_error("The network library could not be started.");
  CURL* h = handle_.get();
  Set(h, CURLOPT_ERRORBUFFER, errorBuffer_);
  Set(h, CURLOPT_NOSIGNAL, 1L);
  Set(h, CURLOPT_URL, (server.Url() + "/").c_str());
  Set(h, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
  Set(h, CURLOPT_LOW_SPEED_LIMIT, kStallBytesPerSecond);
  Set(h, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
  Set(h, CURLOPT_SSL_VERIFYPEER, 1L);
  Set(h, CURLOPT_SSL_VERIFYHOST, 2L);
  Set(h, CURLOPT_PROTOCOLS_STR, server.protocol == MailProtocol::Pop3 ? "pop3,pop3s" : "smtp,smtps");
  if (server.security == Security::StartTls) {
    // Never fall back to plain text when the server does not offer TLS.
    Set(h, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
  }
  if (!userName.empty() || !password.empty()) {
    Set(h, CURLOPT_USERNAME, userName.c_str());
    Set(h, CURLOPT_PASSWORD, password.c_str());
  }
  TrustCertificates(h, programFolder);
}

bool HasLineBreak(const std::string& text) {
  return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

long CurlSession::ResponseCode() const {
  long code = 0;
  curl_easy_getinfo(handle_.get(), CURLINFO_RESPONSE_CODE, &code);
  return code;
}

void TrustCertificates(CURL* handle, const std::filesystem::path& programFolder) {
  if (programFolder.empty()) return;
  const auto extra = base::ReadWholeFile(programFolder / kTrustedCaFileName);
  if (!extra || extra->empty()) return;

  // A certificate blob replaces the default bundle; the system's certificate
  // folder stays in use. That folder holds the bundle's certificates too,
  // looked up one by one as a chain needs them, so the whole bundle, read
  // and parsed at every connection, goes in only when there is no folder.
  std::string bundle;
  char* systemFolder = nullptr;
  std::error_code error;
  const bool haveFolder = curl_easy_getinfo(handle, CURLINFO_CAPATH, &systemFolder) == CURLE_OK &&
                          systemFolder != nullptr && std::filesystem::is_directory(systemFolder, error);
  char* systemBundle = nullptr;
  if (!haveFolder && curl_easy_getinfo(handle, CURLINFO_CAINFO, &systemBundle) == CURLE_OK && systemBundle) {
    if (auto system = base::ReadWholeFile(systemBundle)) bundle = std::move(*system);
  }
  if (!bundle.empty() && bundle.back() != '\n') bundle += '\n';
  bundle += *extra;

  curl_blob blob{};
  blob.data = bundle.data();
  blob.len = bundle.size();
  blob.flags = CURL_BLOB_COPY;
  Set(handle, CURLOPT_CAINFO_BLOB, &blob);
}

}  // namespace ostrel::transport
