#pragma once
// A program folder for the window tests, with helpers that set up settings,
// keys and enciphered messages, and drive the main window as a person would.

#include <QPoint>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "support/recording_dialogs.h"
#include "scripted_desktop.h"
#include "store_folder.h"
#include "ui/frm_main.h"

namespace ostrel::testing {

inline constexpr const char* kTestKeyName = "Alice";
inline constexpr const char* kTestKey = "730145928837465012";

// "email.opt" with settings; EmptyTrashOnExit as given.
void WriteSettings(const std::string& programFolder, bool emptyTrashOnExit = false);
// "key.dat" holding the test key as the default key.
void WriteDefaultKey(const std::string& programFolder);
// Text enciphered under the test key, as hex text.
std::string HexCipherText(const std::string& plain);
// A file enciphered under the test key.
void EncipherFile(const std::filesystem::path& plain, const std::filesystem::path& enciphered);

class MainWindowTest : public ::testing::Test {
 protected:
  // Builds the main window and runs the load step and the first activation.
  void Start();
  // A left click on a grid row (0 = newest message).
  void LeftClickRow(int row);
  // A right click on a grid row, choosing this popup item (empty: none).
  void RightClickRow(int row, const QString& popupItem);
  QString Caption() const;

  StoreFolder store;
  RecordingDialogs dialogs;
  ScriptedDesktop desktop;
  std::unique_ptr<ui::frmMain> window;
};

}  // namespace ostrel::testing
