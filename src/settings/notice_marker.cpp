#include "settings/notice_marker.h"

#include "base/fixed_records.h"
#include "base/safe_file.h"
#include "base/empty_file.h"

namespace ostrel::settings {

bool NoticeDue(const std::filesystem::path& programFolder) {
  const base::RecordFile marker(programFolder / kNoticeMarkerFileName, 1);
  CreateEmptyIfMissing(marker);
  return marker.Count() == 0;
}

void CloseNotice(const std::filesystem::path& programFolder, bool doNotShowAgain) {
  if (doNotShowAgain) base::ReplaceFile(programFolder / kNoticeMarkerFileName, "Done\r\n");
}

}  // namespace ostrel::settings
