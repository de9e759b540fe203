#pragma once
// The SMTP control over libcurl: builds the message with GMime and hands it
// to the server on a thread of its own.

#include <filesystem>
#include <string>
#include <thread>

#include "base/result.h"
#include "transport/smtp_control.h"

namespace ostrel::transport {

struct SmtpLogin {
  std::string server;  // as in the options: host, host:port, smtp:// or smtps:// URL
  std::string userName;
  std::string password;
};

// Sends one message and waits until the server has taken it, or says why
// not. programFolder ends with "/"; its
// "trusted-ca.pem", when present, is trusted besides the system's store.
base::Result<> SendMail(const SmtpLogin& login, const OutgoingMail& mail, const std::filesystem::path& programFolder,
                        const std::function<void(std::uint64_t, std::uint64_t)>& progress);

class CurlSmtpControl : public SmtpControl {
 public:
  explicit CurlSmtpControl(std::filesystem::path programFolder);
  CurlSmtpControl(const CurlSmtpControl&) = delete;
  CurlSmtpControl& operator=(const CurlSmtpControl&) = delete;
  // Waits for a send that is still running.
  ~CurlSmtpControl() override;

  void Send() override;
  // Blocks until the running send, if any, has raised its event.
  void Wait();

 private:
  std::filesystem::path programFolder_;
  std::thread worker_;
};

}  // namespace ostrel::transport
