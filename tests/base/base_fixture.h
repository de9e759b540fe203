#pragma once
// A fresh folder for each test, and short names for the whole-file helpers.

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace ostrel::base {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class BaseTest : public ::testing::Test {
 protected:
  TempFolder folder;
};

}  // namespace ostrel::base
