#pragma once
// The compose window's work without the window: the texts a new message, a
// reply and a forward start with, the signature rules, "Encrypt",
// "Decrypt", and "Send", which queues the message into "out.dat" and
// OutgoingBody and runs the sending window.

#include <filesystem>
#include <string>
#include <string_view>

#include "base/dialogs.h"
#include "mail/sending.h"
#include "store/installation.h"
#include "transport/smtp_control.h"

namespace ostrel::mail {

inline constexpr std::string_view kMissingToField = "Missing To Field.";
inline constexpr std::string_view kSendAgain = "This message has been sent already.  Do you want to send it again?";
inline constexpr std::string_view kSendInClear =
    "A key is loaded, but the message text is not encrypted.  Do you want to send it as plain text?";

// What the window's boxes and switches hold.
struct ComposeForm {
  std::string caption;
  std::string to;           // ";"-separated addresses
  std::string subject;
  std::string attachments;  // ";"-separated paths
  std::string message;      // plain or hex cipher text
  bool signatureShown = false;  // the "Use Signature" box is visible
  bool useSignature = false;    // and ticked
  std::string signatureText;    // SignatureText: empty, or two line breaks and the signature's lines
  bool cipherEnabled = false;   // "Encrypt" and "Decrypt" work only with a loaded key
  std::string lastSent;         // what went out last from this window; empty before the first send
  bool plainTextAgreed = false; // the person agreed once to send plain text with a key loaded
};

// SignatureText from "sig.cur": empty when the file is empty or missing.
std::string SignatureTextOf(const std::filesystem::path& programFolder);

// A reply's text: "<" before the first line and after every line break.
std::string QuoteForReply(std::string_view text);

// "box;item", or just the item when the box is empty: how picked addresses
// and selected files are added.
std::string AddToList(std::string_view box, std::string_view item);

// The window as it opens in ComposeMode; messagePane is the main window's
// message text, used by Reply and Forward. Clears MessageEncrypted.
ComposeForm OpenCompose(store::Installation& installation, std::string_view messagePane);

// "Encrypt": the signature when it is due, then the cipher and hex text.
// False, with the reason shown, when the cipher could not run.
bool PressEncrypt(store::Installation& installation, ComposeForm& form, base::Dialogs& dialogs);
// "Decrypt": hex text back to plain text. False, text unchanged and the
// reason shown, when the text is not hex cipher text or no key is loaded.
bool PressDecrypt(store::Installation& installation, ComposeForm& form, base::Dialogs& dialogs);

// "Send" up to the sending window: checks the To box, adds the signature
// when due, queues the header as record 1 of "out.dat" (anything an
// interrupted run left there is removed first) and sets OutgoingBody.
// False when the message was refused.
bool QueueMessage(store::Installation& installation, ComposeForm& form, base::Dialogs& dialogs);

// Before "Send" queues the message, the two questions that keep it from
// going out by accident: the same message a second time, and plain text
// while a key is loaded (asked once a window). False when the person says
// No. An empty To box passes, for QueueMessage to refuse.
bool ConfirmSend(const store::Installation& installation, ComposeForm& form, base::Dialogs& dialogs);

// After the sending window: a message that went out is remembered for
// ConfirmSend, and the status line says where it went. Empty after a failure,
// which the sending window has shown.
std::string SendFinished(ComposeForm& form, const SendOutcome& outcome);

// After the sending window: "out.dat" and every file in "Enc" removed.
void ClearOutgoing(const std::filesystem::path& programFolder);

// The whole of "Send": true when the message went out; a message refused
// before queueing or a failed send has been shown. The form keeps its text
// either way.
bool PressSend(store::Installation& installation, ComposeForm& form, transport::SmtpControl& control,
               base::Dialogs& dialogs, const SendingProgress& progress);

}  // namespace ostrel::mail
