#pragma once
// A fresh program folder, dialogs that record what they are shown, and short
// names for the whole-file helpers.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/recording_dialogs.h"
#include "support/temp_folder.h"

namespace ostrel::settings {

using testing::ReadBytes;
using testing::RecordingDialogs;
using testing::TempFolder;
using testing::WriteBytes;
using Texts = std::vector<std::string>;

class SettingsTest : public ::testing::Test {
 protected:
  TempFolder folder;
  RecordingDialogs dialogs;
};

}  // namespace ostrel::settings
