#include "fuzz_scratch.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "store/boxes.h"

namespace ostrel::fuzz {

ScratchFolder::ScratchFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/ostrel-fuzz-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (!mkdtemp(name.data())) {
    std::perror("mkdtemp");
    std::abort();
  }
  root_ = name.data();
  folder_ = root_.string() + "/";
  Reset();
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

void ScratchFolder::Reset() const {
  for (const auto& entry : std::filesystem::directory_iterator(root_)) std::filesystem::remove_all(entry.path());
  for (const auto folder : store::kAttachmentFolders) std::filesystem::create_directory(root_ / folder);
  for (const auto& box : store::kBoxes) {
    std::filesystem::create_directory(root_ / box.name);
    WriteFile(root_ / box.name / "index.dat", " 0\r\n");
  }
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::perror(path.c_str());
    std::abort();
  }
}

void Require(bool rule, const char* what) {
  if (rule) return;
  std::fprintf(stderr, "broken rule: %s\n", what);
  std::abort();
}

}  // namespace ostrel::fuzz
