#pragma once
// "Ostdec.dat": the names of the files that decryptions have written, one
// 80-byte record each, every name listed once.

#include <filesystem>
#include <string>

namespace ostrel::engine {

// Appends the name unless a record already begins with it. A name longer
// than a record is compared by the part that fits, so it is listed once too.
void AddDecryptedFile(const std::filesystem::path& listPath, const std::string& name);

}  // namespace ostrel::engine
