#pragma once
// What a POP3 server said while libcurl connected: whether it offered STLS,
// whether a login command went out at all, and whether its last capability
// list offered PIPELINING. libcurl reports a server that takes no login over
// the connection as it reports a wrong password; the first two tell the two
// apart. Nothing of the login itself is kept. The trace also notes the
// OpenSSL session the login ran over, which libcurl no longer reports once
// it has handed the connection over.

#include <curl/curl.h>

namespace ostrel::transport {

class LoginTrace {
 public:
  // Makes libcurl tell this trace the conversation of the handle until
  // Detach; the trace must outlive that time.
  void Attach(CURL* handle);
  void Detach(CURL* handle);

  bool OfferedStls() const { return offeredStls_; }
  bool LoginSent() const { return loginSent_; }
  bool OffersPipelining() const { return offersPipelining_; }
  // The connection's SSL object when it is encrypted with OpenSSL, or null.
  void* OpenSslSession() const { return openSslSession_; }

 private:
  static int Observe(CURL* handle, curl_infotype type, char* data, size_t size, void* trace);

  bool offeredStls_ = false;
  bool loginSent_ = false;
  bool offersPipelining_ = false;
  void* openSslSession_ = nullptr;
};

}  // namespace ostrel::transport
