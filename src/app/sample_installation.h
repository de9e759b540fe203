#pragma once
// A program folder filled with a little of everything the windows show: the
// settings, a default key, enciphered, plain and web messages in the boxes,
// and attachments.

#include <filesystem>
#include <string>

namespace ostrel::app {

inline constexpr const char* kSampleKeyName = "Alice and Bob";
inline constexpr const char* kSampleKeyText = "730145928837465012";

// Fills programFolder (which ends in "/" and exists).
void FillSampleInstallation(const std::string& programFolder);

}  // namespace ostrel::app
