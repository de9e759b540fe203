#pragma once
// Receiving: the mail check of the main window and the POP3 work of the
// receiving window, over any Pop3Connection. Every text for the person goes
// through the Dialogs object; the receiving window's own label gets the same
// progress texts through windowLabel.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/dialogs.h"
#include "store/box_view.h"
#include "store/installation.h"
#include "transport/pop3_connection.h"

namespace ostrel::transport {

inline constexpr std::string_view kNoDefaultKey =
    "No default Key has been defined.  You cannot check mail until you have defined one.";
inline constexpr std::string_view kDeleteFailed = "Error with Delete.";

using WindowLabel = std::function<void(std::string_view text)>;

// The status line after a check, from the counters of the installation.
std::string CheckMailSummary(const store::Installation& installation);

// The receiving window's Retrieve: fetches the messages not filed before,
// files each into the In or the Junk box, saves the In attachments into
// "Save", deletes on the server when asked to, and sets the counters.
// Messages are deleted only after every one is filed, and counted as deleted
// only when the server accepted the end of the session.
void Retrieve(store::Installation& installation, Pop3Connection& connection,
              base::Dialogs& dialogs, const WindowLabel& windowLabel);

// The main window's CheckMail: the default key's keyspace, the receiving
// window's work, the attachment check, the summary, and the In box shown
// (returned). Nothing is fetched without a default key.
std::optional<store::BoxView> CheckMail(store::Installation& installation, Pop3Connection& connection,
                                        base::Dialogs& dialogs, const WindowLabel& windowLabel);

}  // namespace ostrel::transport
