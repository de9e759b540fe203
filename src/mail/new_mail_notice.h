#pragma once
// Telling the person about new mail in the In box after a check that ran on
// its own: the text ("3 new messages") and where it goes, the desktop's
// notifications or, without them, the main window's status line.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel::mail {

// "1 new message", "3 new messages"; nothing when no message was filed.
std::optional<std::string> NewMailNoticeText(std::int64_t filedCount);

class NewMailNotifier {
 public:
  virtual ~NewMailNotifier() = default;
  virtual void Notify(std::string_view text) = 0;
};

}  // namespace ostrel::mail
