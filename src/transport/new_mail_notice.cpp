#include "transport/new_mail_notice.h"

namespace ostrel::transport {

std::optional<std::string> NewMailNoticeText(std::int64_t filedCount) {
  if (filedCount <= 0) return std::nullopt;
  return std::to_string(filedCount) + (filedCount == 1 ? " new message" : " new messages");
}

}  // namespace ostrel::transport
