#pragma once
// Where an installation keeps its data. Mail and keys live in the user's data
// folder, apart from the executable, so that rebuilding or reinstalling the
// program can never touch them; a portable installation keeps them beside
// the executable instead.

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace ostrel::store {

struct FolderEnvironment {
  std::optional<std::string> xdgDataHome;  // $XDG_DATA_HOME
  std::optional<std::string> home;         // $HOME

  static FolderEnvironment FromProcess();
};

class ProgramFolderError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The program folder, an absolute path ending in "/":
// 1. the folder given with --folder, when there is one;
// 2. the executable's folder, when it holds "portable", "email.opt" or "key.dat";
// 3. "ostrel-email/" in $XDG_DATA_HOME (when set and absolute), else in
//    $HOME/.local/share.
// Throws ProgramFolderError when none of these can be found.
std::string ChooseProgramFolder(const std::filesystem::path& executableFolder, const FolderEnvironment& environment,
                                const std::optional<std::string>& folderOption);

// The folder of the running executable.
std::filesystem::path ExecutableFolder();

// Where an installed program keeps the read-only files it ships (help pages,
// icons): "<prefix>/share" when the executable sits in "<prefix>/bin" and
// "<prefix>/share/ostrel-email" exists. Nothing for a program run from its
// build tree, which carries its own copies.
std::optional<std::filesystem::path> InstalledShareFolder(const std::filesystem::path& executableFolder);

}  // namespace ostrel::store
