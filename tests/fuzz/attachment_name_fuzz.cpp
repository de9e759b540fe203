// The file name a stranger's message gives an attachment: the saved name must
// stay inside its folder and keep the name rules.
#include <glib.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_scratch.h"
#include "transport/attachment_names.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ostrel;
  static const fuzz::ScratchFolder scratch;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string name = transport::SafeAttachmentName(input);

  fuzz::Require(!name.empty() && name.size() <= 200, "1 to 200 bytes");
  fuzz::Require(name != "." && name != "..", "not a folder of its own");
  fuzz::Require(name.find_first_of("/\\:*?\"<>|") == std::string::npos, "no separator or forbidden character");
  for (const char c : name) {
    fuzz::Require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "no control character");
  }
  fuzz::Require(name.front() != '.' && name.front() != ' ', "no leading dot or blank");
  fuzz::Require(name.back() != '.' && name.back() != ' ', "no trailing dot or blank");
  if (g_utf8_validate(input.data(), static_cast<gssize>(input.size()), nullptr)) {
    fuzz::Require(g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr) != 0,
                  "a UTF-8 name keeps its characters whole");
  }

  const auto save = scratch / "Save";
  const auto path = transport::UniqueFileName(save, name);
  fuzz::Require(path.parent_path() == save, "the file lies in the folder itself");
  fuzz::Require(path.filename().string() == name, "a free name is used as it is");
  return 0;
}
