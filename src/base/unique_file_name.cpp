#include "base/unique_file_name.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <system_error>

namespace ostrel::base {
namespace {

constexpr std::string_view kEncryptedSuffix = ".enc";

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  return std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<long>(suffix.size()),
                    [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) ==
                             std::tolower(static_cast<unsigned char>(b));
                    });
}

}  // namespace

std::filesystem::path UniqueFileName(const std::filesystem::path& folder, const std::string& name,
                                     const std::set<std::string>& taken) {
  const auto free = [&](const std::string& candidate) {
    std::error_code error;
    return taken.count(candidate) == 0 && !std::filesystem::exists(std::filesystem::symlink_status(folder / candidate, error));
  };
  if (free(name)) return folder / name;

  std::string base = name;
  std::string suffix;
  if (EndsWithIgnoringCase(base, kEncryptedSuffix) && base.size() > kEncryptedSuffix.size()) {
    suffix = base.substr(base.size() - kEncryptedSuffix.size());
    base.resize(base.size() - kEncryptedSuffix.size());
  }
  std::string extension;
  if (const auto dot = base.rfind('.'); dot != std::string::npos && dot > 0) {
    extension = base.substr(dot);
    base.resize(dot);
  }
  for (int number = 2;; ++number) {
    const std::string candidate = base + " (" + std::to_string(number) + ")" + extension + suffix;
    if (free(candidate)) return folder / candidate;
  }
}

}  // namespace ostrel::base
