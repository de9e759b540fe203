#include "screenshot_support.h"

namespace ostrel::app {

bool ShootSettingsWindows(const std::string&, const QDir&) { return true; }

}  // namespace ostrel::app
