#pragma once
// The sending window's work without the window: the Sent copy of the queued
// message, the enciphered copies of its attachments in "Enc", the SMTP
// control's fields, and what the two events do. The window shows what the
// progress callbacks report.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/dialogs.h"
#include "base/result.h"
#include "store/installation.h"
#include "transport/smtp_control.h"

namespace ostrel::mail {

inline constexpr std::string_view kAttachmentMark = "<ATTACHMENT";
inline constexpr std::string_view kEncFolderName = "Enc";

struct SendingProgress {
  std::function<void(std::string_view text)> label;                       // the window's status label
  std::function<void(std::size_t done, std::size_t total)> attachments;    // attachments enciphered
  std::function<void(std::uint64_t sent, std::uint64_t total)> upload;     // bytes handed to the server;
                                                                           // may come from the control's thread
};

// How a send ended: Ok when the message went out, otherwise why not.
using SendOutcome = base::Result<>;

// OutgoingBody taken apart: the text before the first attachment line,
// trimmed of blanks, and the path of every attachment line in order.
struct OutgoingParts {
  std::string text;
  std::vector<std::string> attachmentPaths;
  bool hasAttachments = false;  // the body holds an attachment line
};
OutgoingParts SplitOutgoingBody(std::string_view body);

// Activation and the send routine: files the Sent copy of "out.dat" record 1
// with OutgoingBody, enciphers the attachments into "Enc" when the message is
// encrypted, sets the control's fields and starts it. A failure is a send
// that could not be started, for FinishSending to show: the control is then
// not started, and the Sent copy, once filed, stays.
SendOutcome StartSending(store::Installation& installation, transport::SmtpControl& control,
                         const SendingProgress& progress);

// What the control's events do: completion clears MessageEncrypted; an error
// is shown in a message box and leaves it as it was.
void FinishSending(store::Installation& installation, const SendOutcome& outcome, base::Dialogs& dialogs);

// The whole sending window: start, wait for one of the two events, finish.
// The control's events are set here.
SendOutcome RunSending(store::Installation& installation, transport::SmtpControl& control, base::Dialogs& dialogs,
                       const SendingProgress& progress);

}  // namespace ostrel::mail
