#pragma once
// The mail settings and the options file "email.opt": fourteen lines, each
// ended by CR LF, read back as a comma-separated stream of fields.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel::settings {

// The program-wide settings, filled from "email.opt" at start-up and again
// whenever the options are saved.
struct MailOptions {
  std::string PopServer;
  std::string SmtpServer;
  std::string UserName;
  std::string Password;  // kept and stored in plain text
  std::string EmailAddress;
  bool DeleteOnServer = false;
  bool CheckMailOnStartup = false;
  bool EmptyTrashOnExit = false;
  bool UseSignatures = false;
  bool UseFilters = false;

  bool operator==(const MailOptions&) const = default;
};

// The look of the message text, applied to the main window's message text box
// and to the sample box of the options window; not part of MailOptions.
struct TextLook {
  std::string fontName;
  float fontSize = 0;          // points
  std::int32_t background = 0;  // 0x00BBGGRR, or a system colour with the top bit set
  std::int32_t foreground = 0;

  bool operator==(const TextLook&) const = default;
};

// Everything "email.opt" holds.
struct OptionsFile {
  MailOptions options;
  TextLook look;

  bool operator==(const OptionsFile&) const = default;
};

inline constexpr std::string_view kOptionsFileName = "email.opt";

// True when "email.opt" holds settings (length above 0). Creates the file
// empty (0600) when it is missing, as the start-up's test does.
bool HasSettings(const std::filesystem::path& programFolder);

// The settings of "email.opt", or nothing when it is missing or empty.
std::optional<OptionsFile> ReadOptions(const std::filesystem::path& programFolder);

// Rewrites "email.opt" (0600, crash safe) with the fourteen lines.
void WriteOptions(const std::filesystem::path& programFolder, const OptionsFile& contents);

// The file's bytes and their reading, without touching the disk.
std::string FormatOptions(const OptionsFile& contents);
OptionsFile ParseOptions(std::string_view bytes);

}  // namespace ostrel::settings
