#include "engine/decrypted_file_list.h"

#include <algorithm>

#include "base/ansi_text.h"
#include "base/fixed_records.h"
#include "engine/work_files.h"

namespace ostrel::engine {

void AddDecryptedFile(const std::filesystem::path& listPath, const std::string& name) {
  const base::RecordFile list(listPath, kDecryptedRecordLength, base::Privacy::Private);
  const std::string stored = base::ToAnsi(name);
  const std::string_view key = base::CutToWidth(stored, kDecryptedRecordLength);
  const std::vector<std::string> records = list.ReadAll();
  const bool listed = std::any_of(records.begin(), records.end(), [&key](const std::string& record) {
    return std::string_view(record).substr(0, key.size()) == key;
  });
  if (!listed) list.Append(base::PadField(name, kDecryptedRecordLength));
}

}  // namespace ostrel::engine
