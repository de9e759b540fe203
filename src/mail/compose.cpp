#include "mail/compose.h"

#include <system_error>
#include <vector>

#include "base/ansi_text.h"
#include "base/folder_files.h"
#include "base/safe_file.h"
#include "base/text_pieces.h"
#include "engine/engine.h"
#include "engine/hex_text.h"
#include "settings/signatures.h"
#include "store/box_record.h"
#include "store/date_text.h"
#include "store/mail_box.h"
#include "store/message_view.h"
#include "store/out_box.h"

namespace ostrel::mail {
namespace {

using base::kLineEnd;

bool SignatureDue(const ComposeForm& form) {
  return form.useSignature && !form.signatureText.empty() &&
         form.message.find(form.signatureText) == std::string::npos;
}

void AddAttachmentLines(std::string& body, std::string_view attachments) {
  if (attachments.empty()) return;
  for (const std::string_view path : base::SplitList(attachments)) {
    body += std::string(kAttachmentMark) + " " + std::string(path) + ">" + std::string(kLineEnd);
  }
}

// The boxes that make a message what it is, as one text.
std::string SentForm(const ComposeForm& form) {
  return form.to + '\0' + form.subject + '\0' + form.message + '\0' + form.attachments;
}

base::MessageBox Question(std::string_view text) {
  return base::MessageBox{std::string(text), "", base::Buttons::YesNo, base::Icon::Question};
}

}  // namespace

std::string SignatureTextOf(const std::filesystem::path& programFolder) {
  const auto bytes = base::ReadWholeFile(programFolder / settings::kCurrentSignatureFileName);
  if (!bytes || bytes->empty()) return {};
  const std::string signature = base::FromAnsi(*bytes);
  std::string text = std::string(kLineEnd) + std::string(kLineEnd);
  for (const std::string_view line : base::SplitLines(signature)) {
    text += line;
    text += kLineEnd;
  }
  return text;
}

std::string QuoteForReply(std::string_view text) {
  std::string quoted = "<";
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(kLineEnd, start);
    if (end == std::string_view::npos) {
      quoted += text.substr(start);
      return quoted;
    }
    quoted += text.substr(start, end - start);
    quoted += std::string(kLineEnd) + "<";
    start = end + kLineEnd.size();
  }
}

std::string AddToList(std::string_view box, std::string_view item) {
  if (box.empty()) return std::string(item);
  return std::string(box) + ";" + std::string(item);
}

ComposeForm OpenCompose(store::Installation& installation, std::string_view messagePane) {
  installation.Compose.MessageEncrypted = false;
  ComposeForm form;
  form.cipherEnabled = !installation.CurrentKey.empty();
  form.signatureText = SignatureTextOf(installation.ProgramFolder);
  form.signatureShown = !form.signatureText.empty();
  form.useSignature = form.signatureShown && installation.MailOptions.UseSignatures;

  if (installation.Compose.ComposeMode == store::ComposeMode::New) {
    form.caption = "New Message";
  } else if (installation.Compose.ComposeMode == store::ComposeMode::Reply) {
    form.caption = "Reply To Message";
    form.to = installation.Selection.SelectedFrom;
    form.subject = "RE:" + installation.Selection.SelectedSubject;
    form.message = QuoteForReply(messagePane);
  } else if (installation.Compose.ComposeMode == store::ComposeMode::Forward) {
    form.caption = "Forward Message";
    form.subject = "Fwd:" + installation.Selection.SelectedSubject;
    form.message = std::string(messagePane);
  }
  form.message += form.signatureText;
  return form;
}

bool PressEncrypt(store::Installation& installation, ComposeForm& form, base::Dialogs& dialogs) {
  std::string message = form.message;
  if (SignatureDue(form)) message += form.signatureText;
  std::string bytes = base::ToAnsi(message);
  try {
    installation.Engine.EncryptText(bytes);
  } catch (const engine::EngineError& failure) {
    dialogs.Show(base::PlainBox(failure.what()));
    return false;
  }
  form.message = engine::HexEncode(bytes);
  installation.Compose.MessageEncrypted = true;
  return true;
}

bool PressDecrypt(store::Installation& installation, ComposeForm& form, base::Dialogs& dialogs) {
  std::string bytes = form.message;
  try {
    engine::HexDecode(bytes);
    installation.Engine.DecryptText(bytes);
  } catch (const engine::EngineError& failure) {
    dialogs.Show(base::PlainBox(failure.what()));
    return false;
  }
  form.message = base::FromAnsi(bytes);
  installation.Compose.MessageEncrypted = false;
  return true;
}

bool QueueMessage(store::Installation& installation, ComposeForm& form, base::Dialogs& dialogs) {
  if (form.to.empty()) {
    dialogs.Show(base::PlainBox(std::string(kMissingToField)));
    return false;
  }
  if (SignatureDue(form)) form.message += std::string(kLineEnd) + std::string(kLineEnd) + form.signatureText;

  const std::filesystem::path folder(installation.ProgramFolder);
  store::ClearOutBox(folder);
  store::BoxRecord record;
  record.To = form.to;
  record.From = installation.MailOptions.EmailAddress;
  record.Subject = form.subject;
  record.Date = store::CurrentDateText();

  installation.Compose.OutgoingBody = form.message;
  AddAttachmentLines(installation.Compose.OutgoingBody, form.attachments);
  store::MailBox(folder, "Out").Append(record);
  return true;
}

bool ConfirmSend(const store::Installation& installation, ComposeForm& form, base::Dialogs& dialogs) {
  if (form.to.empty()) return true;
  if (!form.lastSent.empty() && SentForm(form) == form.lastSent &&
      dialogs.Ask(Question(kSendAgain)) != base::Answer::Yes) {
    return false;
  }
  // Hex cipher text counts as encrypted even after a send has cleared
  // MessageEncrypted, as when the same text goes out again.
  const bool encrypted = installation.Compose.MessageEncrypted || store::SplitCipherText(form.message).has_value();
  if (installation.Engine.KeyLoaded() && !encrypted && !form.plainTextAgreed) {
    if (dialogs.Ask(Question(kSendInClear)) != base::Answer::Yes) return false;
    form.plainTextAgreed = true;
  }
  return true;
}

std::string SendFinished(ComposeForm& form, const SendOutcome& outcome) {
  if (!outcome) return {};
  form.lastSent = SentForm(form);
  return "The message was sent to " + form.to + ".";
}

void ClearOutgoing(const std::filesystem::path& programFolder) {
  std::error_code error;
  std::filesystem::remove(store::MailBox(programFolder, "Out").ListPath(), error);
  base::RemoveFilesIn(programFolder / kEncFolderName);
}

bool PressSend(store::Installation& installation, ComposeForm& form, transport::SmtpControl& control,
               base::Dialogs& dialogs, const SendingProgress& progress) {
  if (!QueueMessage(installation, form, dialogs)) return false;
  const SendOutcome outcome = RunSending(installation, control, dialogs, progress);
  ClearOutgoing(installation.ProgramFolder);
  return outcome.Ok();
}

}  // namespace ostrel::mail
