#pragma once
// File names for received attachments. A name comes from a stranger's
// message, so it is reduced to a plain base name that stays inside the
// folder it is saved to, and never replaces a file already there.

#include <filesystem>
#include <string>
#include <string_view>

#include "base/unique_file_name.h"

namespace ostrel::transport {

// The name a received attachment is saved under (UTF-8): only the part after
// the last "/" or "\", without control characters or characters that other
// systems forbid in names, without leading or trailing dots and blanks, at
// most 200 bytes. A name with nothing left becomes "attachment".
std::string SafeAttachmentName(std::string_view received);

// The name a file takes in a folder without replacing one (base).
using base::UniqueFileName;

}  // namespace ostrel::transport
