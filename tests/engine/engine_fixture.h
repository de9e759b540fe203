#pragma once
// A fresh work folder with an engine on it, and short ways to read the work
// files back.

#include <gtest/gtest.h>

#include <string>

#include "engine/engine.h"
#include "support/temp_folder.h"

namespace ostrel::engine {

class EngineTest : public ::testing::Test {
 protected:
  // Loads the key and returns it as normalised.
  std::string Load(std::string key) {
    engine.LoadKey(key);
    return key;
  }
  std::string WorkBytes(const std::string& name) const { return testing::ReadBytes(folder / name); }
  bool WorkExists(const std::string& name) const { return std::filesystem::exists(folder / name); }

  testing::TempFolder folder;
  Engine engine{folder.Path()};
};

}  // namespace ostrel::engine
