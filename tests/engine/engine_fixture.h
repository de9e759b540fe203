#pragma once
// A fresh work folder with an engine on it, and short ways to read the work
// files back.

#include <gtest/gtest.h>

#include <string>

#include "engine/engine.h"
#include "support/temp_folder.h"

namespace ostrel::engine {

// What loading a key writes: the generated, pristine and working wheels, then the settings.
inline const char* const kKeyspaceFiles[] = {"k1.bin", "k1.brs", "k1.bcr", "k2.bin",
                                             "k3.bin", "k4.bin", "k5.bin", "k6.dat"};

// Every byte value once, in order.
inline std::string AllCodes() {
  std::string text;
  for (int code = 0; code < 256; ++code) text += static_cast<char>(code);
  return text;
}

class EngineTest : public ::testing::Test {
 protected:
  // Loads the key and returns it as normalised.
  std::string Load(std::string key) {
    engine.LoadKey(key);
    return key;
  }
  std::string Encrypted(std::string text) {
    engine.EncryptText(text);
    return text;
  }
  std::string Decrypted(std::string text) {
    engine.DecryptText(text);
    return text;
  }
  std::string WorkBytes(const std::string& name) const { return testing::ReadBytes(folder / name); }
  bool WorkExists(const std::string& name) const { return std::filesystem::exists(folder / name); }

  testing::TempFolder folder;
  Engine engine{folder.Path()};
};

}  // namespace ostrel::engine
