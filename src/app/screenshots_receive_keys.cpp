#include "screenshot_support.h"

namespace ostrel::app {

bool ShootReceiveAndKeyWindows(const std::string&, const QDir&) { return true; }

}  // namespace ostrel::app
