#include "settings/accounts.h"

#include "base/fixed_records.h"
#include "base/empty_file.h"

namespace ostrel::settings {
namespace {

const std::vector<std::size_t> kTextWidths = {80, 80, 20, 20, 20};
constexpr std::size_t kFlagsOffset = 220;

base::RecordFile AccountsFile(const std::filesystem::path& programFolder) {
  return base::RecordFile(programFolder / kAccountsFileName, kAccountRecordLength, base::Privacy::Private);
}

}  // namespace

std::string FormatAccountRecord(const MailOptions& account) {
  std::string record = base::JoinFields(
      {account.PopServer, account.SmtpServer, account.UserName, account.Password, account.EmailAddress}, kTextWidths);
  for (const bool flag : {account.DeleteOnServer, account.CheckMailOnStartup, account.EmptyTrashOnExit,
                          account.UseSignatures, account.UseFilters}) {
    record += flag ? 'Y' : 'N';
  }
  return record;
}

MailOptions ParseAccountRecord(std::string_view bytes) {
  const auto fields = base::SplitFields(bytes, kTextWidths);
  const auto flag = [bytes](std::size_t i) { return bytes.size() > kFlagsOffset + i && bytes[kFlagsOffset + i] == 'Y'; };
  MailOptions account;
  account.PopServer = base::TrimBlanks(fields[0]);
  account.SmtpServer = base::TrimBlanks(fields[1]);
  account.UserName = base::TrimBlanks(fields[2]);
  account.Password = base::TrimBlanks(fields[3]);
  account.EmailAddress = base::TrimBlanks(fields[4]);
  account.DeleteOnServer = flag(0);
  account.CheckMailOnStartup = flag(1);
  account.EmptyTrashOnExit = flag(2);
  account.UseSignatures = flag(3);
  account.UseFilters = flag(4);
  return account;
}

std::vector<std::string> ListAccounts(const std::filesystem::path& programFolder) {
  const auto file = AccountsFile(programFolder);
  CreateEmptyIfMissing(file);
  std::vector<std::string> names;
  for (const std::string& record : file.ReadAll()) names.push_back(ParseAccountRecord(record).PopServer);
  return names;
}

std::optional<MailOptions> FindAccount(const std::filesystem::path& programFolder, std::string_view popServer) {
  const auto file = AccountsFile(programFolder);
  CreateEmptyIfMissing(file);
  for (const std::string& record : file.ReadAll()) {
    MailOptions account = ParseAccountRecord(record);
    if (account.PopServer == popServer) return account;
  }
  return std::nullopt;
}

void StoreAccount(const std::filesystem::path& programFolder, const MailOptions& account) {
  const auto file = AccountsFile(programFolder);
  const std::string newRecord = FormatAccountRecord(account);
  const std::string newKey = ParseAccountRecord(newRecord).PopServer;
  std::vector<std::string> records = file.ReadAll();
  bool replaced = false;
  for (std::string& record : records) {
    if (ParseAccountRecord(record).PopServer == newKey) {
      record = newRecord;
      replaced = true;
      break;
    }
  }
  if (!replaced) records.push_back(newRecord);
  file.Rewrite(records);
}

}  // namespace ostrel::settings
