#include "transport/gmime_support.h"

#include <mutex>

namespace ostrel::transport {

void EnsureGMime() {
  static std::once_flag once;
  std::call_once(once, [] { g_mime_init(); });
}

std::string TakeGString(char* text) {
  const GCharPtr owned(text);
  return text ? std::string(text) : std::string();
}

}  // namespace ostrel::transport
