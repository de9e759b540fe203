#pragma once
// The current date and time as text, the way the box lists record when a
// message was filed: short date, then time ("12/6/2026 3:04:05 PM").

#include <chrono>
#include <string>

namespace ostrel::store {

std::string GeneralDateText(std::chrono::system_clock::time_point when);
std::string CurrentDateText();

}  // namespace ostrel::store
