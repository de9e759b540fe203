#include "transport/login_trace.h"

#include <cctype>
#include <string_view>

namespace ostrel::transport {
namespace {

// Whether the line starts with the word, in any case.
bool StartsWithWord(std::string_view line, std::string_view word) {
  if (line.size() < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(line[i])) != word[i]) return false;
  }
  return line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '\r' ||
         line[word.size()] == '\n';
}

}  // namespace

void LoginTrace::Attach(CURL* handle) {
  curl_easy_setopt(handle, CURLOPT_DEBUGFUNCTION, &LoginTrace::Observe);
  curl_easy_setopt(handle, CURLOPT_DEBUGDATA, this);
  curl_easy_setopt(handle, CURLOPT_VERBOSE, 1L);
}

void LoginTrace::Detach(CURL* handle) {
  curl_easy_setopt(handle, CURLOPT_VERBOSE, 0L);
  curl_easy_setopt(handle, CURLOPT_DEBUGFUNCTION, nullptr);
  curl_easy_setopt(handle, CURLOPT_DEBUGDATA, nullptr);
}

int LoginTrace::Observe(CURL* handle, curl_infotype type, char* data, size_t size, void* trace) {
  auto& self = *static_cast<LoginTrace*>(trace);
  const std::string_view line(data, size);
  // Asked for until it is there: over STLS the session starts mid-login.
  if (type == CURLINFO_HEADER_IN && self.openSslSession_ == nullptr) {
    curl_tlssessioninfo* session = nullptr;
    if (curl_easy_getinfo(handle, CURLINFO_TLS_SSL_PTR, &session) == CURLE_OK && session != nullptr &&
        session->backend == CURLSSLBACKEND_OPENSSL) {
      self.openSslSession_ = session->internals;
    }
  }
  // The server's capability list names STLS on a line of its own.
  if (type == CURLINFO_HEADER_IN && StartsWithWord(line, "STLS")) self.offeredStls_ = true;
  // Only the list given last counts: the one after STLS replaces the one
  // sent in plain text.
  if (type == CURLINFO_HEADER_OUT && StartsWithWord(line, "CAPA")) self.offersPipelining_ = false;
  if (type == CURLINFO_HEADER_IN && StartsWithWord(line, "PIPELINING")) self.offersPipelining_ = true;
  if (type == CURLINFO_HEADER_OUT &&
      (StartsWithWord(line, "USER") || StartsWithWord(line, "APOP") || StartsWithWord(line, "AUTH"))) {
    self.loginSent_ = true;
  }
  return 0;
}

}  // namespace ostrel::transport
