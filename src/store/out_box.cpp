#include "store/out_box.h"

#include <system_error>

#include "store/mail_box.h"

namespace ostrel::store {

void ClearOutBox(const std::filesystem::path& programFolder) {
  const MailBox out(programFolder, BoxName::Out);
  std::error_code error;
  if (std::filesystem::file_size(out.ListPath(), error) == 0 && !error) return;
  out.Rewrite({});
}

}  // namespace ostrel::store
