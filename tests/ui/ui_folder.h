#pragma once
// A program folder for the window tests, with helpers that set up settings,
// keys and enciphered messages, and drive the main window as a person would.
// It brings in what every window test works with: the widgets, Qt's test
// helpers and the matchers.

#include <gmock/gmock.h>

#include <QTest>
#include <QtWidgets>
#include <memory>
#include <string>
#include <vector>

#include "scripted_desktop.h"
#include "store_folder.h"
#include "support/recording_dialogs.h"
#include "support/temp_folder.h"
#include "ui/main_window.h"

namespace ostrel::testing {

using ::testing::ElementsAre;

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
// Chooses the entry with this text from a drop-down list as a person would;
// false when it is not there.
bool PickFromList(QComboBox& list, const QString& text);
// A main window over this folder, loaded, shown and activated once.
std::unique_ptr<ui::MainWindow> OpenMainWindow(const std::string& programFolder, RecordingDialogs& dialogs,
                                               ScriptedDesktop& desktop);
// The next modal window is left to close itself, as the receiving and
// sending windows do when their work ends.
void AwaitClosing(ScriptedDesktop& desktop, int patienceMs = 20000);
// The conversation of a POP3 server holding one message of each subject for
// "bob" with password "secret", as the real connection talks to it.
std::vector<std::string> Pop3Holding(const std::vector<std::string>& subjects);
// Points the window's account at a server on this loopback port, in memory
// only ("email.opt" names no port).
void UseLocalServer(ui::MainWindow& window, int port);

class MainWindowTest : public ::testing::Test {
 protected:
  // Settings written and the first-run notice already dismissed for good.
  void SetUp() override;
  // Builds the main window and runs the load step and the first activation.
  void Start();
  // A left click on a grid row (0 = newest message).
  void LeftClickRow(int row);
  // A right click on a grid row, choosing this popup item (empty: none).
  void RightClickRow(int row, const QString& popupItem);
  QString Caption() const;
  QString Cell(int row, int column) const;
  // The subjects of the grid's rows, top down.
  std::vector<QString> GridSubjects() const;
  // Works the next modal window, which must be a `Window`, with `work`.
  template <typename Window, typename Work>
  void OnNext(Work work) {
    desktop.onModal.push_back([work](QDialog& dialog) { work(dynamic_cast<Window&>(dialog)); });
  }
  // Opens a `Window` from this menu item and works it with `work`.
  template <typename Window, typename Work>
  void Open(QAction* from, Work work) {
    OnNext<Window>(work);
    from->trigger();
  }

  StoreFolder store;
  RecordingDialogs dialogs;
  ScriptedDesktop desktop;
  std::unique_ptr<ui::MainWindow> window;
};

}  // namespace ostrel::testing
