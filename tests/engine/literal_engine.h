#pragma once
// The whole engine exactly as written down, slow on purpose: the key is
// doubled and cut as strings, the working wheel table really turns, numbers
// are parsed and printed by hand. A file's cipher is its bytes' cipher.
// It shares no code with the real engine except the literal wheel machine,
// so that the real engine can be checked against it byte for byte.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "literal_wheels.h"

namespace ostrel::engine::literal {

class LiteralEngine {
 public:
  explicit LiteralEngine(std::filesystem::path workFolder);

  // False (and nothing written) when the key gives entries outside 1..256.
  bool LoadKey(std::string& keyText);

  std::string EncryptText(const std::string& text);
  std::string DecryptText(const std::string& text);

  const std::vector<std::int32_t>& KeySequence() const { return keySequence_; }
  const std::array<std::int32_t, 201>& PeriodTable() const { return periodTable_; }

 private:
  WheelMachine Machine() const;
  std::string Transform(bool encrypt, const std::string& text);
  std::filesystem::path Work(const std::string& name) const { return folder_ / name; }

  std::filesystem::path folder_;
  std::vector<std::int32_t> keySequence_;
  std::array<std::int32_t, 201> periodTable_{};
};

}  // namespace ostrel::engine::literal
