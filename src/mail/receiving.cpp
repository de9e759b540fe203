#include "mail/receiving.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <set>
#include <vector>

#include "base/ansi_text.h"
#include "base/fixed_records.h"
#include "base/number_text.h"
#include "base/result.h"
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

constexpr std::string_view kNotFiled = "The message could not be filed.";

// An early end of the POP3 sequence: the step's text, and the reason in plain
// words when there is one.
base::Failure EarlyEnd(std::string_view text, const std::string& reason) {
  return {reason.empty() ? std::string(text) : std::string(text) + "\r\n\r\n" + reason};
}

void ShowEarlyEnd(base::Dialogs& dialogs, const base::Failure& end) {
  dialogs.Show(base::PlainBox(end.reason, base::Icon::Exclamation));
}

std::string MessageFileText(const std::string& utf8) { return base::ToAnsi(utf8) + "\r\n"; }

struct Fetched {
  int number = 0;
  std::string id;
};

// A batch is filed once it holds this many messages, this many bytes, or
// has been downloading this long: each batch costs a few flushes to disk,
// however many messages it holds. The first batch holds at most
// kBatchMessages, each next one up to twice as many as the one before, to
// kMostBatchMessages: a short check files as soon as ever, a long one pays
// for a few batches instead of one per 64 messages.
constexpr std::size_t kBatchMessages = 64;
constexpr std::size_t kMostBatchMessages = 512;
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
void FileAndCount(store::Installation& installation, store::ReceivedBatch& batch) {
  for (const auto& filed : batch.File()) {
    if (filed.box == "Junk") {
      ++installation.MailCheck.JunkCount;
    } else {
      ++installation.MailCheck.FiledCount;
      installation.MailCheck.AttachmentCount += static_cast<std::int64_t>(filed.attachments.size());
    }
  }
}

// One run of the receiving window's Retrieve over a connection.
class MailCheck {
 public:
  MailCheck(store::Installation& installation, transport::Pop3Connection& connection, base::Dialogs& dialogs,
            const WindowLabel& windowLabel, const RetrieveControl& control)
      : installation_(installation),
        connection_(connection),
        dialogs_(dialogs),
        windowLabel_(windowLabel),
        control_(control),
        filterWords_(settings::ReadFilterEntries(installation.ProgramFolder)),
        filed_(installation.ProgramFolder, installation.MailOptions.PopServer, installation.MailOptions.UserName),
        batch_(installation.ProgramFolder) {}

  // True when the check went through without a failure (a stop asked for is
  // none).
  bool Run() {
    const auto fetched = Fetch();
    if (!fetched) {
      // What was filed stays filed, and nothing is deleted.
      ShowEarlyEnd(dialogs_, base::Failure{fetched.Reason()});
      End();
      return false;
    }
    if (*fetched == Then::Stop) {
      End();
      return true;
    }
    return DeleteAndEnd();
  }

 private:
  enum class Then { Delete, Stop };

  bool Cancelled() const { return control_.cancelled != nullptr && control_.cancelled->load(); }

  void Report(std::size_t done, std::size_t total) const {
    if (control_.progress) control_.progress(static_cast<std::int64_t>(done), static_cast<std::int64_t>(total));
  }

  // Logs in, lists the messages and files the new ones. Stop after an empty
  // mailbox or a stop asked for.
  base::Result<Then> Fetch() {
    const auto& options = installation_.MailOptions;
    if (const auto login = connection_.Connect(options.PopServer, options.UserName, options.Password); !login) {
      return EarlyEnd("error with connecting server", login.Reason());
    }
    const auto total = connection_.GetTotalOfMails();
    if (!total) return EarlyEnd("error with GetTotalOfMails", total.Reason());
    if (*total == 0) return Then::Stop;
    if (*total > transport::kMostMessages) {
      return EarlyEnd("error with GetTotalOfMails", "The mail server's answer is not believable: it reports " +
                                                        std::to_string(*total) + " messages waiting.");
    }
    total_ = *total;

    // Sizes and identifiers first: only the messages not filed before are
    // new. Everything kept grows with what the server really lists, never
    // with the count it claims.
    std::vector<Fetched> fresh;
    for (int i = 1; i <= total_; ++i) {
      if (Cancelled()) return Then::Stop;
      if (const auto size = connection_.GetMsgSize(i); !size) return EarlyEnd("error with GetMsgSize", size.Reason());
      auto id = connection_.GetMsgId(i);
      if (!id) return EarlyEnd("error with GetMsgId", id.Reason());
      onServer_.insert(*id);
      idOf_.push_back(*id);
      if (!filed_.Contains(*id)) fresh.push_back({i, std::move(*id)});
    }
    installation_.MailCheck.NewMessageCount = static_cast<std::int64_t>(fresh.size());
    std::vector<int> numbers;
    numbers.reserve(fresh.size());
    for (const auto& message : fresh) numbers.push_back(message.number);
    connection_.WillRetrieve(std::move(numbers));

    transport::ReceivedMessage message;
    batchStarted_ = std::chrono::steady_clock::now();
    Report(0, fresh.size());
    for (std::size_t k = 0; k < fresh.size(); ++k) {
      if (Cancelled()) {
        if (const auto filing = FileBatch(); !filing) return EarlyEnd(kNotFiled, filing.Reason());
        return Then::Stop;
      }
      Progress(dialogs_, windowLabel_,
               "Downloading" + base::PrintForm(static_cast<std::int64_t>(k + 1)) + " of" +
                   base::PrintForm(static_cast<std::int64_t>(fresh.size())));
      const auto raw = connection_.Retrieve(fresh[k].number);
      if (!raw) {
        // What arrived before stays filed.
        if (const auto filing = FileBatch(); !filing) ShowEarlyEnd(dialogs_, EarlyEnd(kNotFiled, filing.Reason()));
        return EarlyEnd("error with Retrieve", raw.Reason());
      }
      message.Load(*raw);
      try {
        batch_.Add(Incoming(installation_, message, filterWords_, filed_.LineOf(fresh[k].id)));
      } catch (const std::exception& problem) {
        // Nothing is deleted on the server after a message that could not
        // be filed.
        const std::string reason = problem.what();
        (void)FileBatch();
        return EarlyEnd(kNotFiled, reason);
      }
      Report(k + 1, fresh.size());
      const std::size_t batchLimit = control_.batchMessages != 0 ? control_.batchMessages : batchMessages_;
      if (batch_.Count() >= batchLimit || batch_.Bytes() >= kBatchBytes ||
          std::chrono::steady_clock::now() - batchStarted_ >= kBatchTime) {
        if (const auto filing = FileBatch(); !filing) return EarlyEnd(kNotFiled, filing.Reason());
      }
    }
    if (const auto filing = FileBatch(); !filing) return EarlyEnd(kNotFiled, filing.Reason());
    return Then::Delete;
  }

  base::Result<> FileBatch() {
    try {
      FileAndCount(installation_, batch_);
    } catch (const std::exception& problem) {
      return base::Failure{problem.what()};
    }
    batchStarted_ = std::chrono::steady_clock::now();
    batchMessages_ = std::min(batchMessages_ * 2, kMostBatchMessages);
    return {};
  }

  // Deletes every message on the server when the options ask for it, then
  // ends the session. Only an accepted end of the session makes the
  // deletions real; otherwise every message is still on the server and
  // stays known as filed.
  bool DeleteAndEnd() {
    bool complete = true;
    std::set<std::string> stillThere = onServer_;
    const bool deleting = installation_.MailOptions.DeleteOnServer && !Cancelled();
    if (deleting) {
      for (int i = 1; i <= total_; ++i) {
        if (connection_.Delete(i)) {
          stillThere.erase(idOf_[static_cast<std::size_t>(i - 1)]);
        } else {
          dialogs_.Show(base::PlainBox(std::string(kDeleteFailed)));
          complete = false;
        }
      }
    }
    if (End()) {
      try {
        const store::StoreLock lock(installation_.ProgramFolder);
        filed_.KeepOnly(stillThere);
      } catch (const std::exception&) {
        // Identifiers of messages gone from the server only take room; the
        // next check forgets them.
      }
    } else if (deleting) {
      dialogs_.Show(base::PlainBox(std::string(kDeletionsNotConfirmed), base::Icon::Exclamation));
      complete = false;
    }
    return complete;
  }

  // True when the server accepted the end of the session.
  bool End() {
    Progress(dialogs_, windowLabel_, "Disconnecting...");
    return connection_.Disconnect().Ok();
  }

  store::Installation& installation_;
  transport::Pop3Connection& connection_;
  base::Dialogs& dialogs_;
  const WindowLabel& windowLabel_;
  const RetrieveControl& control_;
  const std::vector<std::string> filterWords_;
  ReceivedIds filed_;
  int total_ = 0;
  std::vector<std::string> idOf_;  // of message number i at i - 1
  std::set<std::string> onServer_;
  store::ReceivedBatch batch_;
  std::chrono::steady_clock::time_point batchStarted_;
  std::size_t batchMessages_ = kBatchMessages;  // the most the next batch holds
};

}  // namespace

std::string CheckMailSummary(const store::Installation& installation) {
  const std::int64_t n = installation.MailCheck.NewMessageCount;
  std::string summary;
  if (n == 0) return "No New Messages.";
  summary = n == 1 ? "1 New Message." : base::PrintForm(n) + " New Messages.";
  summary += base::PrintForm(installation.MailCheck.FiledCount) + " registered," +
             base::PrintForm(installation.MailCheck.AttachmentCount);
  if (installation.MailCheck.AttachmentCount != 0) {
    summary += " attachments (" + std::to_string(installation.MailCheck.DecryptedCount) + " decrypted) and";
  } else {
    summary += " attachments and";
  }
  summary += base::PrintForm(installation.MailCheck.JunkCount) + " registered as Junk.";
  return summary;
}

bool Retrieve(store::Installation& installation, transport::Pop3Connection& connection, base::Dialogs& dialogs,
              const WindowLabel& windowLabel, const RetrieveControl& control) {
  try {
    // The batch a killed check left half filed counts as filed or not.
    const store::StoreLock lock(installation.ProgramFolder);
    store::SettleJournals(installation.ProgramFolder);
  } catch (const std::exception&) {
    // Filing tries again, and says why when it cannot.
  }
  MailCheck check(installation, connection, dialogs, windowLabel, control);
  return check.Run();
}

std::optional<std::string> PrepareCheck(store::Installation& installation, base::Dialogs& dialogs) {
  std::optional<std::string> defaultKey;
  for (const auto& record : keys::ReadKeys(installation.ProgramFolder)) {
    if (record.isDefault) defaultKey = std::string(base::TrimBlanks(record.keyText));
  }
  if (!defaultKey) {
    dialogs.Show(base::PlainBox(std::string(kNoDefaultKey)));
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
      dialogs.Show(
          base::PlainBox(std::string("The default key could not be loaded. ") + error.what(), base::Icon::Exclamation));
      return std::nullopt;
    }
    dialogs.SetStatus("Key is now loaded.");
  }
  return copy;
}

void StartRetrieval(store::Installation& installation, base::Dialogs& dialogs, const WindowLabel& windowLabel) {
  Progress(dialogs, windowLabel, "Connecting...");
  installation.MailCheck.NewMessageCount = 0;
  installation.MailCheck.FiledCount = 0;
  installation.MailCheck.AttachmentCount = 0;
  installation.MailCheck.JunkCount = 0;
}

std::optional<store::BoxView> FinishCheck(store::Installation& installation, base::Dialogs& dialogs,
                                          const std::string& defaultKey, const base::ProgressReport& progress) {
  if (installation.MailCheck.AttachmentCount != 0) {
    dialogs.SetStatus("Checking Attachments...");
    installation.MailCheck.DecryptedCount =
        store::CheckAttachments(installation.ProgramFolder, installation.Engine, progress).DecryptedCount;
  }
  dialogs.SetStatus(CheckMailSummary(installation));
  installation.Selection.CurrentBox = store::BoxName::In;
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
