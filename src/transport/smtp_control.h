#pragma once
// The SMTP control of the sending window: the fields are set one by one,
// Send starts the send, and exactly one of the two events reports how it
// ended. Real sends run off the calling thread, so the events may arrive on
// another thread; a window passes them on to its own thread.

#include <cstdint>
#include <functional>
#include <string>

#include "transport/outgoing_mail.h"

namespace ostrel::transport {

struct SmtpEvents {
  std::function<void()> completion;                                  // the message was sent
  std::function<void(const std::string& text)> error;                // it was not; why, in plain words
  std::function<void(std::uint64_t sent, std::uint64_t total)> progress;  // bytes handed to the server
};

class SmtpControl {
 public:
  virtual ~SmtpControl() = default;

  void SetServer(std::string server) { server_ = std::move(server); }
  void SetRecipient(std::string recipient) { mail_.recipient = std::move(recipient); }
  void SetSender(std::string sender) { mail_.sender = std::move(sender); }
  void SetSubject(std::string subject) { mail_.subject = std::move(subject); }
  void SetMessageText(std::string text) { mail_.text = std::move(text); }
  void SetAttachmentList(std::string paths) { mail_.attachmentList = std::move(paths); }
  // Used only when the server offers authentication.
  void SetLogin(std::string userName, std::string password) {
    userName_ = std::move(userName);
    password_ = std::move(password);
  }
  void SetEvents(SmtpEvents events) { events_ = std::move(events); }

  // Starts sending what the fields hold.
  virtual void Send() = 0;

 protected:
  std::string server_;
  OutgoingMail mail_;
  std::string userName_;
  std::string password_;
  SmtpEvents events_;
};

}  // namespace ostrel::transport
