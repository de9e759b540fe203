#pragma once
// Receiving: the mail check of the main window and the POP3 work of the
// receiving window, over any Pop3Connection. Every text for the person goes
// through the Dialogs object; the receiving window's own label gets the same
// progress texts through windowLabel.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/dialogs.h"
#include "base/progress.h"
#include "store/box_view.h"
#include "store/installation.h"
#include "transport/pop3_connection.h"

namespace ostrel::mail {

inline constexpr std::string_view kNoDefaultKey =
    "No default Key has been defined.  You cannot check mail until you have defined one.";
inline constexpr std::string_view kDeleteFailed = "Error with Delete.";
inline constexpr std::string_view kDeletionsNotConfirmed =
    "The mail server did not confirm the end of the session, so the messages stay on the server; they are "
    "deleted at the next check.";

using WindowLabel = std::function<void(std::string_view text)>;

// What a receiving window running the retrieval on a thread of its own adds:
// a flag, set from any thread, that stops the retrieval before the next
// message (what was fetched is filed, nothing is deleted on the server), and
// the messages fetched so far out of the new ones, for a progress bar.
// batchMessages, when not 0, files the messages in batches of at most that
// many instead of the usual 64 to 512 (for tests).
struct RetrieveControl {
  const std::atomic<bool>* cancelled = nullptr;
  std::function<void(std::int64_t done, std::int64_t total)> progress;
  std::size_t batchMessages = 0;
};

// The status line after a check, from the counters of the installation.
std::string CheckMailSummary(const store::Installation& installation);

// The receiving window's Retrieve: fetches the messages not filed before,
// files each into the In or the Junk box, saves the In attachments into
// "Save", deletes on the server when asked to, and sets the counters.
// Messages are filed in batches (store/received_batch.h): a message is on
// disk before its identifier is remembered, and remembered before it is
// deleted on the server. Messages are deleted only after every one is filed,
// and counted as deleted only when the server accepted the end of the session. True when the check
// went through without a failure (a stop asked for is none); every failure
// has been told through dialogs.
bool Retrieve(store::Installation& installation, transport::Pop3Connection& connection,
              base::Dialogs& dialogs, const WindowLabel& windowLabel, const RetrieveControl& control = {});

// The check in the three steps a receiving window sits between.
// Before it opens: the default key's keyspace loaded when it is not the
// current key; returns the default key's text as the engine holds it, or
// nothing (after saying why) when there is no default key.
std::optional<std::string> PrepareCheck(store::Installation& installation, base::Dialogs& dialogs);
// Its activation: "Connecting..." and the counters of the check set to 0.
void StartRetrieval(store::Installation& installation, base::Dialogs& dialogs, const WindowLabel& windowLabel);
// After it has closed: the attachment check, the summary, the In box shown
// (returned), and the key the person had chosen loaded again. progress hears
// of each attachment deciphered.
std::optional<store::BoxView> FinishCheck(store::Installation& installation, base::Dialogs& dialogs,
                                          const std::string& defaultKey, const base::ProgressReport& progress = {});

// The main window's CheckMail, the three steps and the retrieval in one, for
// a check without a window of its own.
std::optional<store::BoxView> CheckMail(store::Installation& installation, transport::Pop3Connection& connection,
                                        base::Dialogs& dialogs, const WindowLabel& windowLabel);

}  // namespace ostrel::mail
