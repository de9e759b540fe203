#include "mail/receiving.h"

#include <chrono>
#include <exception>
#include <set>
#include <vector>

#include "base/ansi_text.h"
#include "base/fixed_records.h"
#include "base/number_text.h"
#include "keys/key_store.h"
#include "mail/received_ids.h"
#include "settings/filters.h"
#include "store/attachments.h"
#include "store/journals.h"
#include "store/received_batch.h"
#include "store/store_lock.h"
#include "transport/attachment_names.h"
#include "transport/junk_filter.h"
#include "transport/received_message.h"

namespace ostrel::mail {
namespace {

void Progress(base::Dialogs& dialogs, const WindowLabel& windowLabel, const std::string& text) {
  if (windowLabel) windowLabel(text);
  dialogs.SetStatus(text);
}

// An early end of the POP3 sequence: its text, and the adapter's reason in
// plain words when it has one. "no email" is no failure and shows nothing.
void ReportEarlyEnd(base::Dialogs& dialogs, const std::string& text, const std::string& reason) {
  base::MessageBox box;
  box.text = reason.empty() ? text : text + "\r\n\r\n" + reason;
  box.icon = base::Icon::Exclamation;
  dialogs.Show(box);
}

std::string MessageFileText(const std::string& utf8) { return base::ToAnsi(utf8) + "\r\n"; }

struct Fetched {
  int number = 0;
  std::string id;
};

// A batch is filed once it holds this many messages, this many bytes, or
// has been downloading this long: each batch costs a few flushes to disk,
// however many messages it holds.
constexpr std::size_t kBatchMessages = 64;
constexpr std::uint64_t kBatchBytes = 32 * 1024 * 1024;
constexpr std::chrono::milliseconds kBatchTime{1000};

// What a fetched message becomes on disk: the Junk box when the filter words
// hit, otherwise the In box with its attachments.
store::IncomingMessage Incoming(const store::Installation& installation, const transport::ReceivedMessage& message,
                                const std::vector<std::string>& filterWords, std::string receivedLine) {
  store::IncomingMessage incoming;
  store::BoxRecord& record = incoming.record;
  record.To = message.Recipient(1);
  record.From = message.Sender();
  record.Subject = message.Subject();
  const std::string html = message.HtmlBody();
  std::string text = message.TextBody();
  if (text.empty()) text = html;
  record.Date = message.Date();

  const bool junk = installation.MailOptions.UseFilters && !filterWords.empty() &&
                    transport::CheckSubjectAndBody(record.Subject, text, filterWords);
  incoming.box = junk ? "Junk" : "In";
  incoming.web = MessageFileText(html);
  incoming.text = MessageFileText(text);
  // Attachments of junk are not saved.
  if (!junk) {
    for (const auto& attachment : message.Attachments()) {
      incoming.attachments.push_back({transport::SafeAttachmentName(attachment.name), attachment.bytes});
    }
  }
  incoming.receivedLine = std::move(receivedLine);
  return incoming;
}

// Files what the batch holds and counts it.
void FileBatch(store::Installation& installation, store::ReceivedBatch& batch) {
  for (const auto& filed : batch.File()) {
    if (filed.box == "Junk") {
      ++installation.JunkCount;
    } else {
      ++installation.FiledCount;
      installation.AttachmentCount += static_cast<std::int64_t>(filed.attachments.size());
    }
  }
}

}  // namespace

std::string CheckMailSummary(const store::Installation& installation) {
  const std::int64_t n = installation.NewMessageCount;
  std::string summary;
  if (n == 0) return "No New Messages.";
  summary = n == 1 ? "1 New Message." : base::PrintForm(n) + " New Messages.";
  summary += base::PrintForm(installation.FiledCount) + " registered," +
             base::PrintForm(installation.AttachmentCount);
  if (installation.AttachmentCount != 0) {
    summary += " attachments (" + std::to_string(installation.DecryptedCount) + " decrypted) and";
  } else {
    summary += " attachments and";
  }
  summary += base::PrintForm(installation.JunkCount) + " registered as Junk.";
  return summary;
}

bool Retrieve(store::Installation& installation, transport::Pop3Connection& connection, base::Dialogs& dialogs,
              const WindowLabel& windowLabel, const RetrieveControl& control) {
  const auto cancelled = [&] { return control.cancelled != nullptr && control.cancelled->load(); };
  const auto progress = [&](size_t done, size_t total) {
    if (control.progress) control.progress(static_cast<std::int64_t>(done), static_cast<std::int64_t>(total));
  };
  const auto& options = installation.MailOptions;
  const std::vector<std::string> filterWords = settings::ReadFilterEntries(installation.ProgramFolder);
  try {
    // The batch a killed check left half filed counts as filed or not.
    const store::StoreLock lock(installation.ProgramFolder);
    store::SettleJournals(installation.ProgramFolder);
  } catch (const std::exception&) {
    // Filing tries again, and says why when it cannot.
  }
  ReceivedIds filed(installation.ProgramFolder, options.PopServer, options.UserName);

  const auto finish = [&] {
    Progress(dialogs, windowLabel, "Disconnecting...");
    return connection.Disconnect();
  };

  // An early end: what was filed stays filed, nothing is deleted, and the
  // check counts as failed.
  const auto endEarly = [&](const std::string& text, const std::string& reason) {
    ReportEarlyEnd(dialogs, text, reason);
    finish();
    return false;
  };

  if (connection.Connect(options.PopServer, options.UserName, options.Password) != 0) {
    return endEarly("error with connecting server", connection.LastError());
  }
  const int total = connection.GetTotalOfMails();
  if (total < 0) return endEarly("error with GetTotalOfMails", connection.LastError());
  if (total == 0) {
    finish();
    return true;
  }
  if (total > transport::kMostMessages) {
    return endEarly("error with GetTotalOfMails", "The mail server's answer is not believable: it reports " +
                                                       std::to_string(total) + " messages waiting.");
  }

  // Sizes and identifiers first: only the messages not filed before are new.
  // Everything kept grows with what the server really lists, never with the
  // count it claims.
  std::vector<Fetched> fresh;
  std::vector<std::string> idOf;  // of message number i at i - 1
  std::set<std::string> onServer;
  for (int i = 1; i <= total; ++i) {
    if (cancelled()) {
      finish();
      return true;
    }
    if (connection.GetMsgSize(i) < 0) return endEarly("error with GetMsgSize", connection.LastError());
    std::string id = connection.GetMsgId(i);
    if (id.empty()) return endEarly("error with GetMsgId", connection.LastError());
    onServer.insert(id);
    idOf.push_back(id);
    if (!filed.Contains(id)) fresh.push_back({i, std::move(id)});
  }
  installation.NewMessageCount = static_cast<std::int64_t>(fresh.size());

  transport::ReceivedMessage message;
  store::ReceivedBatch batch(installation.ProgramFolder);
  auto batchStarted = std::chrono::steady_clock::now();
  // Files the batch; the reason when it could not be filed.
  const auto fileBatch = [&]() -> std::optional<std::string> {
    try {
      FileBatch(installation, batch);
    } catch (const std::exception& problem) {
      return problem.what();
    }
    batchStarted = std::chrono::steady_clock::now();
    return std::nullopt;
  };
  // Nothing is deleted on the server after a message that could not be filed.
  const auto notFiled = [&](const std::string& reason) { return endEarly("The message could not be filed.", reason); };
  progress(0, fresh.size());
  for (size_t k = 0; k < fresh.size(); ++k) {
    if (cancelled()) {
      if (const auto problem = fileBatch()) return notFiled(*problem);
      finish();
      return true;
    }
    Progress(dialogs, windowLabel,
             "Downloading" + base::PrintForm(static_cast<std::int64_t>(k + 1)) + " of" +
                 base::PrintForm(static_cast<std::int64_t>(fresh.size())));
    const std::string raw = connection.Retrieve(fresh[k].number);
    if (raw.empty()) {
      // What arrived before stays filed.
      const std::string reason = connection.LastError();
      if (const auto problem = fileBatch()) ReportEarlyEnd(dialogs, "The message could not be filed.", *problem);
      return endEarly("error with Retrieve", reason);
    }
    message.Load(raw);
    try {
      batch.Add(Incoming(installation, message, filterWords, filed.LineOf(fresh[k].id)));
    } catch (const std::exception& problem) {
      const std::string reason = problem.what();
      fileBatch();
      return notFiled(reason);
    }
    progress(k + 1, fresh.size());
    const std::size_t batchLimit = control.batchMessages != 0 ? control.batchMessages : kBatchMessages;
    if (batch.Count() >= batchLimit || batch.Bytes() >= kBatchBytes ||
        std::chrono::steady_clock::now() - batchStarted >= kBatchTime) {
      if (const auto problem = fileBatch()) return notFiled(*problem);
    }
  }
  if (const auto problem = fileBatch()) return notFiled(*problem);

  bool complete = true;
  std::set<std::string> stillThere = onServer;
  const bool deleting = options.DeleteOnServer && !cancelled();
  if (deleting) {
    for (int i = 1; i <= total; ++i) {
      if (connection.Delete(i) != 0) {
        dialogs.Show(base::MessageBox{std::string(kDeleteFailed), "", base::Buttons::Ok, base::Icon::None});
        complete = false;
      } else {
        stillThere.erase(idOf[static_cast<size_t>(i - 1)]);
      }
    }
  }
  // Only an accepted end of the session makes the deletions real; otherwise
  // every message is still on the server and stays known as filed.
  if (finish()) {
    try {
      const store::StoreLock lock(installation.ProgramFolder);
      filed.KeepOnly(stillThere);
    } catch (const std::exception&) {
      // Identifiers of messages gone from the server only take room; the
      // next check forgets them.
    }
  } else if (deleting) {
    dialogs.Show(base::MessageBox{std::string(kDeletionsNotConfirmed), "", base::Buttons::Ok,
                                  base::Icon::Exclamation});
    complete = false;
  }
  return complete;
}

std::optional<std::string> PrepareCheck(store::Installation& installation, base::Dialogs& dialogs) {
  std::optional<std::string> defaultKey;
  for (const auto& record : keys::ReadKeys(installation.ProgramFolder)) {
    if (record.isDefault) defaultKey = std::string(base::TrimBlanks(record.keyText));
  }
  if (!defaultKey) {
    dialogs.Show(base::MessageBox{std::string(kNoDefaultKey), "", base::Buttons::Ok, base::Icon::None});
    return std::nullopt;
  }
  // The copy is what LoadKey leaves of it, the form CurrentKey is kept in.
  std::string copy = *defaultKey;
  if (copy != installation.CurrentKey) {
    dialogs.SetStatus("Generating Keyspace...");
    try {
      installation.Engine.LoadKey(copy);
    } catch (const engine::EngineError& error) {
      dialogs.SetStatus("");
      dialogs.Show(base::MessageBox{std::string("The default key could not be loaded. ") + error.what(), "",
                                    base::Buttons::Ok, base::Icon::Exclamation});
      return std::nullopt;
    }
    dialogs.SetStatus("Key is now loaded.");
  }
  return copy;
}

void StartRetrieval(store::Installation& installation, base::Dialogs& dialogs, const WindowLabel& windowLabel) {
  Progress(dialogs, windowLabel, "Connecting...");
  installation.NewMessageCount = 0;
  installation.FiledCount = 0;
  installation.AttachmentCount = 0;
  installation.JunkCount = 0;
}

std::optional<store::BoxView> FinishCheck(store::Installation& installation, base::Dialogs& dialogs,
                                          const std::string& defaultKey, const base::ProgressReport& progress) {
  if (installation.AttachmentCount != 0) {
    dialogs.SetStatus("Checking Attachments...");
    installation.DecryptedCount =
        store::CheckAttachments(installation.ProgramFolder, installation.Engine, progress).DecryptedCount;
  }
  dialogs.SetStatus(CheckMailSummary(installation));
  installation.CurrentBox = "In";
  auto box = installation.LoadBox();

  if (!installation.CurrentKey.empty() && installation.CurrentKey != defaultKey) {
    dialogs.SetStatus("Generating Keyspace...");
    installation.Engine.LoadKey(installation.CurrentKey);
    dialogs.SetStatus("Key is now loaded.");
  }
  return box;
}

std::optional<store::BoxView> CheckMail(store::Installation& installation, transport::Pop3Connection& connection,
                                        base::Dialogs& dialogs, const WindowLabel& windowLabel) {
  const auto defaultKey = PrepareCheck(installation, dialogs);
  if (!defaultKey) return std::nullopt;
  StartRetrieval(installation, dialogs, windowLabel);
  Retrieve(installation, connection, dialogs, windowLabel);
  return FinishCheck(installation, dialogs, *defaultKey);
}

}  // namespace ostrel::mail
