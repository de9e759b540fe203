#include "mail/new_mail_notice.h"

namespace ostrel::mail {

std::optional<std::string> NewMailNoticeText(std::int64_t filedCount) {
  if (filedCount <= 0) return std::nullopt;
  return std::to_string(filedCount) + (filedCount == 1 ? " new message" : " new messages");
}

}  // namespace ostrel::mail
