#include "settings/mail_options.h"

#include <charconv>

#include "base/ansi_text.h"
#include "base/fixed_records.h"
#include "base/number_text.h"
#include "base/safe_file.h"
#include "base/text_pieces.h"
#include "settings/comma_fields.h"
#include "base/empty_file.h"

namespace ostrel::settings {
namespace {

using base::kLineEnd;

std::string Flag(bool set) { return set ? "Y" : "N"; }

// Print form of a decimal number: shortest form with "." as decimal point,
// a blank standing where a minus sign would.
std::string DecimalPrintForm(float value) {
  char digits[64];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  std::string text(digits, result.ptr);
  return value < 0 ? text : " " + text;
}

}  // namespace

bool HasSettings(const std::filesystem::path& programFolder) {
  const base::RecordFile file(programFolder / kOptionsFileName, 1, base::Privacy::Private);
  CreateEmptyIfMissing(file);
  return file.Count() > 0;
}

std::optional<OptionsFile> ReadOptions(const std::filesystem::path& programFolder) {
  if (!HasSettings(programFolder)) return std::nullopt;
  const auto bytes = base::ReadWholeFile(programFolder / kOptionsFileName);
  if (!bytes || bytes->empty()) return std::nullopt;
  return ParseOptions(*bytes);
}

void WriteOptions(const std::filesystem::path& programFolder, const OptionsFile& contents) {
  base::ReplaceFile(programFolder / kOptionsFileName, FormatOptions(contents), base::Privacy::Private);
}

std::string FormatOptions(const OptionsFile& contents) {
  const MailOptions& o = contents.options;
  const TextLook& look = contents.look;
  std::string bytes;
  for (const std::string& line :
       {base::ToAnsi(o.PopServer), base::ToAnsi(o.SmtpServer), base::ToAnsi(o.UserName), base::ToAnsi(o.Password),
        base::ToAnsi(o.EmailAddress), Flag(o.DeleteOnServer), Flag(o.CheckMailOnStartup), Flag(o.EmptyTrashOnExit),
        Flag(o.UseSignatures), Flag(o.UseFilters), base::ToAnsi(look.fontName), DecimalPrintForm(look.fontSize),
        base::PrintForm(look.background), base::PrintForm(look.foreground)}) {
    bytes += line;
    bytes += kLineEnd;
  }
  return bytes;
}

OptionsFile ParseOptions(std::string_view bytes) {
  CommaFields fields(bytes);
  const auto text = [&fields] { return base::FromAnsi(fields.Next()); };
  const auto flag = [&fields] { return fields.Next() == "Y"; };
  OptionsFile contents;
  MailOptions& o = contents.options;
  o.PopServer = text();
  o.SmtpServer = text();
  o.UserName = text();
  o.Password = text();
  o.EmailAddress = text();
  o.DeleteOnServer = flag();
  o.CheckMailOnStartup = flag();
  o.EmptyTrashOnExit = flag();
  o.UseSignatures = flag();
  o.UseFilters = flag();
  contents.look.fontName = text();
  contents.look.fontSize = static_cast<float>(base::NumericValue(fields.Next()));
  contents.look.background = base::ToInt32(base::NumericValue(fields.Next()));
  contents.look.foreground = base::ToInt32(base::NumericValue(fields.Next()));
  return contents;
}

}  // namespace ostrel::settings
