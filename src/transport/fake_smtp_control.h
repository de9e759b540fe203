#pragma once
// An SMTP control for tests: remembers every message it was asked to send
// and answers with the outcome the test chose, at once, on the caller's
// thread.

#include <optional>
#include <string>
#include <vector>

#include "transport/smtp_control.h"

namespace ostrel::transport {

struct SentMail {
  std::string server;
  OutgoingMail mail;
  std::string userName;
  std::string password;
};

class FakeSmtpControl : public SmtpControl {
 public:
  // Every later Send raises the error event with this text.
  void FailWith(std::string text) { failure_ = std::move(text); }
  void Succeed() { failure_.reset(); }

  void Send() override;

  std::vector<SentMail> sent;  // every Send, failed ones included

 private:
  std::optional<std::string> failure_;
};

}  // namespace ostrel::transport
