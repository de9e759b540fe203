#include "store/program_folder.h"

#include <cstdlib>
#include <system_error>

namespace ostrel::store {
namespace {

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

std::string WithTrailingSlash(const std::filesystem::path& folder) {
  std::string text = folder.lexically_normal().string();
  if (text.empty() || text.back() != '/') text += '/';
  return text;
}

bool HoldsProgramData(const std::filesystem::path& folder) {
  std::error_code error;
  for (const char* marker : {"portable", "email.opt", "key.dat"}) {
    if (std::filesystem::exists(folder / marker, error)) return true;
  }
  return false;
}

}  // namespace

FolderEnvironment FolderEnvironment::FromProcess() { return {Variable("XDG_DATA_HOME"), Variable("HOME")}; }

std::string ChooseProgramFolder(const std::filesystem::path& executableFolder, const FolderEnvironment& environment,
                                const std::optional<std::string>& folderOption) {
  if (folderOption) {
    if (folderOption->empty()) throw ProgramFolderError("The folder given with --folder is empty.");
    return WithTrailingSlash(std::filesystem::absolute(*folderOption));
  }
  if (!executableFolder.empty() && HoldsProgramData(executableFolder)) {
    return WithTrailingSlash(std::filesystem::absolute(executableFolder));
  }
  if (environment.xdgDataHome && std::filesystem::path(*environment.xdgDataHome).is_absolute()) {
    return WithTrailingSlash(std::filesystem::path(*environment.xdgDataHome) / "ostrel-email");
  }
  if (environment.home && std::filesystem::path(*environment.home).is_absolute()) {
    return WithTrailingSlash(std::filesystem::path(*environment.home) / ".local" / "share" / "ostrel-email");
  }
  throw ProgramFolderError("The data folder cannot be found: neither XDG_DATA_HOME nor HOME is set.");
}

std::filesystem::path ExecutableFolder() {
  std::error_code error;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return executable.parent_path();
}

std::optional<std::filesystem::path> InstalledShareFolder(const std::filesystem::path& executableFolder) {
  const std::filesystem::path bin = executableFolder.lexically_normal();
  // "/usr/bin/" normalises to a trailing empty name.
  const std::filesystem::path folder = bin.filename().empty() ? bin.parent_path() : bin;
  if (folder.filename() != "bin") return std::nullopt;
  const std::filesystem::path share = folder.parent_path() / "share";
  std::error_code error;
  if (!std::filesystem::is_directory(share / "ostrel-email", error)) return std::nullopt;
  return share;
}

}  // namespace ostrel::store
