#pragma once
// A libcurl handle set up the one way this program talks to a mail server:
// the security the server address asks for, certificates and host names
// always verified, time limits so that a dead server cannot hang a check.

#include <curl/curl.h>

#include <filesystem>
#include <memory>
#include <string>

#include "transport/server_address.h"

namespace ostrel::transport {

struct CurlHandleDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using CurlHandle = std::unique_ptr<CURL, CurlHandleDeleter>;

struct CurlListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlList = std::unique_ptr<curl_slist, CurlListDeleter>;

// The file of extra trusted certificates in the program folder.
inline constexpr const char* kTrustedCaFileName = "trusted-ca.pem";

// A user name or password holding CR, LF or NUL could smuggle a command of
// its own into the session, so it is refused with this text.
inline constexpr const char* kLineBreakInLogin =
    "The user name or the password contains a line break, which mail servers do not accept.";
bool HasLineBreak(const std::string& text);

// A fresh handle for the server, logging in with the user name and password
// when they are not empty. programFolder ends with "/" (or is empty for no
// extra trust). Holds the error buffer that the failure texts read.
class CurlSession {
 public:
  CurlSession(const ServerAddress& server, const std::string& userName,
              const std::string& password, const std::filesystem::path& programFolder);
  CurlSession(const CurlSession&) = delete;
  CurlSession& operator=(const CurlSession&) = delete;

  CURL* Handle() const { return handle_.get(); }
  const ServerAddress& Server() const { return server_; }
  // libcurl's own detail of the last failure (may be empty).
  std::string Detail() const { return errorBuffer_; }
  // The server's last numeric reply (SMTP), 0 when none.
  long ResponseCode() const;

 private:
  ServerAddress server_;
  CurlHandle handle_;
  char errorBuffer_[CURL_ERROR_SIZE] = {};
};

// Loads the system's trusted certificates and, when present, those of
// "trusted-ca.pem" in the program folder, into the handle.
void TrustCertificates(CURL* handle, const std::filesystem::path& programFolder);

}  // namespace ostrel::transport
