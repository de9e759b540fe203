#pragma once
// A fresh program folder, dialogs that record what they are shown, the stored
// key files the tests read, and short names for the whole-file helpers.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/recording_dialogs.h"
#include "support/temp_folder.h"

namespace ostrel::keys {

using testing::ReadBytes;
using testing::RecordingDialogs;
using testing::TempFolder;
using testing::WriteBytes;
using Texts = std::vector<std::string>;

inline const std::filesystem::path kData = OSTREL_TEST_DATA;

class KeysTest : public ::testing::Test {
 protected:
  TempFolder folder;
  RecordingDialogs dialogs;
};

}  // namespace ostrel::keys
