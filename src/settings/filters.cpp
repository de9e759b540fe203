#include "settings/filters.h"

#include "base/ansi_text.h"
#include "base/fixed_records.h"
#include "base/safe_file.h"
#include "base/text_pieces.h"
#include "base/empty_file.h"

namespace ostrel::settings {
namespace {

using base::kLineEnd;

std::vector<std::string> FileLines(const std::filesystem::path& programFolder) {
  const std::string bytes = base::ReadWholeFile(programFolder / kFilterFileName).value_or(std::string());
  std::vector<std::string> lines;
  for (const std::string_view line : base::SplitLines(bytes)) lines.push_back(base::FromAnsi(line));
  return lines;
}

}  // namespace

std::string LoadFilterText(const std::filesystem::path& programFolder) {
  CreateEmptyIfMissing(base::RecordFile(programFolder / kFilterFileName, 1));
  std::string text;
  for (const std::string& line : FileLines(programFolder)) {
    text += line;
    text += kLineEnd;
  }
  return text;
}

void SaveFilterText(const std::filesystem::path& programFolder, std::string_view boxText,
                    const MailOptions& mailOptions, base::Dialogs& dialogs) {
  if (!boxText.empty()) {
    base::ReplaceFile(programFolder / kFilterFileName, base::ToAnsi(boxText) + std::string(kLineEnd));
  }
  if (!mailOptions.UseFilters) {
    dialogs.Show(base::PlainBox("You need to select Use Filters in options before filtering can take effect."));
  }
}

std::vector<std::string> ReadFilterEntries(const std::filesystem::path& programFolder) {
  std::vector<std::string> entries;
  for (std::string& line : FileLines(programFolder)) {
    if (line.empty()) continue;
    if (entries.size() == kMaxFilterEntries) break;
    entries.push_back(std::move(line));
  }
  return entries;
}

}  // namespace ostrel::settings
