#include "mail/sending.h"

#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <system_error>

#include "base/ansi_text.h"
#include "base/fixed_records.h"
#include "base/folder_files.h"
#include "base/text_pieces.h"
#include "engine/engine.h"
#include "store/mail_box.h"
#include "transport/attachment_names.h"

namespace ostrel::mail {
namespace {

using base::kLineEnd;

// The path of the attachment line starting at mark: from just after the
// mark and its blank up to the next ">", or to the end of the body when the
// line was never closed.
std::string AttachmentPathAt(std::string_view body, std::size_t mark) {
  const std::size_t start = mark + kAttachmentMark.size() + 1;
  if (start > body.size()) return {};
  const std::size_t end = body.find('>', start);
  std::string_view path = body.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
  while (!path.empty() && (path.back() == '\r' || path.back() == '\n')) path.remove_suffix(1);
  return std::string(path);
}

// Enciphers every attachment into "Enc" as its file name plus ".enc". Two
// attachments of the same name get numbered copies, so neither replaces the
// other. paths become the copies' paths.
base::Result<> EncipherAttachments(store::Installation& installation, std::vector<std::string>& paths,
                                   const SendingProgress& progress) {
  const std::filesystem::path encFolder = installation.DataPath(kEncFolderName);
  std::error_code error;
  std::filesystem::create_directories(encFolder, error);
  // What an interrupted send left goes first, so that the copies made now
  // keep their own names.
  base::RemoveFilesIn(encFolder);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::filesystem::path source(paths[i]);
    if (progress.label) progress.label("Encrypting Attachment " + paths[i]);
    const std::string fileName = source.filename().string();
    if (fileName.empty()) return base::Failure{"The attachment \"" + paths[i] + "\" is not a file."};
    const std::filesystem::path copy = transport::UniqueFileName(encFolder, fileName + ".enc");
    try {
      installation.Engine.EncryptFile(source, copy);
    } catch (const engine::EngineError& failure) {
      return base::Failure{"The attachment " + paths[i] + " could not be encrypted: " + failure.what()};
    }
    paths[i] = copy.string();
    if (progress.attachments) progress.attachments(i + 1, paths.size());
  }
  return {};
}

}  // namespace

OutgoingParts SplitOutgoingBody(std::string_view body) {
  OutgoingParts parts;
  const std::size_t first = body.find(kAttachmentMark);
  parts.text = std::string(base::TrimBlanks(body.substr(0, first)));
  if (first == std::string_view::npos) return parts;
  parts.hasAttachments = true;
  for (std::size_t mark = first; mark != std::string_view::npos; mark = body.find(kAttachmentMark, mark + 1)) {
    parts.attachmentPaths.push_back(AttachmentPathAt(body, mark));
  }
  return parts;
}

SendOutcome StartSending(store::Installation& installation, transport::SmtpControl& control,
                         const SendingProgress& progress) {
  const std::filesystem::path folder(installation.ProgramFolder);
  const store::MailBox out(folder, "Out");
  const store::MailBox sent(folder, "Sent");
  if (progress.label) progress.label("");
  const std::optional<store::BoxRecord> queued = out.Read(1);
  if (!queued) return base::Failure{"There is no message waiting to be sent."};

  sent.File(*queued, base::ToAnsi(installation.Compose.OutgoingBody) + std::string(kLineEnd), std::nullopt);
  const std::string to(base::TrimBlanks(queued->To));
  if (progress.label) progress.label("Sending Msg To " + to);
  if (progress.upload) progress.upload(0, 0);

  control.SetServer(installation.MailOptions.SmtpServer);
  control.SetRecipient(to);
  control.SetSender(installation.MailOptions.EmailAddress);
  control.SetSubject(std::string(base::TrimBlanks(queued->Subject)));
  control.SetLogin(installation.MailOptions.UserName, installation.MailOptions.Password);

  OutgoingParts parts = SplitOutgoingBody(installation.Compose.OutgoingBody);
  control.SetMessageText(parts.text);
  if (parts.hasAttachments) {
    if (installation.Compose.MessageEncrypted) {
      if (auto enciphered = EncipherAttachments(installation, parts.attachmentPaths, progress); !enciphered) {
        return enciphered;
      }
    }
    control.SetAttachmentList(base::JoinList(parts.attachmentPaths));
  } else {
    control.SetAttachmentList("");
  }
  control.Send();
  return {};
}

void FinishSending(store::Installation& installation, const SendOutcome& outcome, base::Dialogs& dialogs) {
  if (!outcome) {
    dialogs.Show(base::PlainBox(outcome.Reason()));
    return;
  }
  installation.Compose.MessageEncrypted = false;
}

SendOutcome RunSending(store::Installation& installation, transport::SmtpControl& control, base::Dialogs& dialogs,
                       const SendingProgress& progress) {
  // The events may come from the control's own thread, after this call has
  // returned from its wait; what they share lives as long as either side.
  struct Shared {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    SendOutcome outcome;
  };
  auto shared = std::make_shared<Shared>();
  const auto end = [shared](SendOutcome outcome) {
    const std::lock_guard lock(shared->mutex);
    if (shared->done) return;
    shared->outcome = std::move(outcome);
    shared->done = true;
    shared->ended.notify_all();
  };
  control.SetEvents(
      {[end] { end({}); }, [end](const std::string& text) { end(base::Failure{text}); }, progress.upload});

  SendOutcome outcome = StartSending(installation, control, progress);
  if (outcome) {
    std::unique_lock lock(shared->mutex);
    shared->ended.wait(lock, [&shared] { return shared->done; });
    outcome = shared->outcome;
  }
  FinishSending(installation, outcome, dialogs);
  return outcome;
}

}  // namespace ostrel::mail
