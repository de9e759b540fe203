#pragma once
// "accounts.dat": the account part of every set of settings ever saved, one
// 225-byte record per POP server name, so that earlier accounts can be picked
// again. Records are overwritten or appended, never removed.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/mail_options.h"

namespace ostrel::settings {

inline constexpr std::size_t kAccountRecordLength = 225;
inline constexpr std::string_view kAccountsFileName = "accounts.dat";

// An account record holds the ten values of MailOptions: PopServer 80 (the
// key), SmtpServer 80, UserName 20, Password 20, EmailAddress 20, five flags.
std::string FormatAccountRecord(const MailOptions& account);
MailOptions ParseAccountRecord(std::string_view bytes);

// The trimmed POP server names of all records in record order, duplicates
// included. Creates an empty "accounts.dat" (0600) when it is missing.
std::vector<std::string> ListAccounts(const std::filesystem::path& programFolder);

// The first record whose trimmed POP server name equals popServer exactly.
std::optional<MailOptions> FindAccount(const std::filesystem::path& programFolder, std::string_view popServer);

// Overwrites the record with the same trimmed key (case significant) or
// appends one. The file is replaced in one crash-safe step.
void StoreAccount(const std::filesystem::path& programFolder, const MailOptions& account);

}  // namespace ostrel::settings
