#include "store/date_text.h"

#include <cstdio>
#include <ctime>

namespace ostrel::store {

std::string GeneralDateText(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
  ::localtime_r(&seconds, &local);
  const int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
  char text[64];
  std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d:%02d %s", local.tm_mon + 1, local.tm_mday,
                local.tm_year + 1900, hour12, local.tm_min, local.tm_sec, local.tm_hour < 12 ? "AM" : "PM");
  return text;
}

std::string CurrentDateText() { return GeneralDateText(std::chrono::system_clock::now()); }

}  // namespace ostrel::store
