#include "ui_folder.h"

#include "engine/engine.h"
#include "engine/hex_text.h"
#include "keys/key_store.h"
#include "settings/mail_options.h"

namespace ostrel::testing {

void WriteSettings(const std::string& programFolder, bool emptyTrashOnExit) {
  settings::OptionsFile options;
  options.options.PopServer = "pop.example.org";
  options.options.EmptyTrashOnExit = emptyTrashOnExit;
  settings::WriteOptions(programFolder, options);
}

void WriteDefaultKey(const std::string& programFolder) {
  keys::WriteKeys(programFolder, {{"Other", "other key", false}, {kTestKeyName, kTestKey, true}});
}

namespace {

// Runs `work` on an engine holding the test key, in a scratch folder.
template <typename Work>
void WithTestKey(Work work) {
  TempFolder scratch;
  engine::Engine engine(scratch.Path());
  std::string key = kTestKey;
  engine.LoadKey(key);
  work(engine);
  engine.CleanUpEngine();
}

}  // namespace

std::string HexCipherText(const std::string& plain) {
  std::string cipher = plain;
  WithTestKey([&cipher](engine::Engine& engine) { engine.EncryptText(cipher); });
  return engine::HexEncode(cipher);
}

void EncipherFile(const std::filesystem::path& plain, const std::filesystem::path& enciphered) {
  WithTestKey([&](engine::Engine& engine) { engine.EncryptFile(plain, enciphered); });
}

bool PickFromList(QComboBox& list, const QString& text) {
  const int index = list.findText(text);
  if (index < 0) return false;
  list.setCurrentIndex(index);
  emit list.activated(index);
  return true;
}

std::unique_ptr<ui::MainWindow> OpenMainWindow(const std::string& programFolder, RecordingDialogs& dialogs,
                                               ScriptedDesktop& desktop) {
  auto window = std::make_unique<ui::MainWindow>(programFolder, dialogs, desktop);
  window->Load();
  window->show();
  window->Activate();
  return window;
}

void AwaitClosing(ScriptedDesktop& desktop, int patienceMs) {
  desktop.onModal.push_back([patienceMs](QDialog& dialog) {
    EXPECT_TRUE(QTest::qWaitFor([&dialog] { return !dialog.isVisible(); }, patienceMs));
  });
}

std::vector<std::string> Pop3Holding(const std::vector<std::string>& subjects) {
  const std::size_t count = subjects.size();
  std::vector<std::string> script{"S: +OK ready",     "C: CAPA", "S: +OK",
                                  "S: USER",          "S: UIDL", "S: .",
                                  "C: USER bob",      "S: +OK",  "C: PASS secret",
                                  "S: +OK logged in", "C: STAT", "S: +OK " + std::to_string(count) + " 120"};
  if (count > 0) {
    std::vector<std::string> list{"C: LIST", "S: +OK"}, ids{"S: .", "C: UIDL", "S: +OK"};
    for (std::size_t i = 1; i <= count; ++i) {
      list.push_back("S: " + std::to_string(i) + " 120");
      ids.push_back("S: " + std::to_string(i) + " u-" + std::to_string(i));
    }
    script.insert(script.end(), list.begin(), list.end());
    script.insert(script.end(), ids.begin(), ids.end());
    script.push_back("S: .");
    for (std::size_t i = 1; i <= count; ++i) {
      script.insert(script.end(), {"C: RETR " + std::to_string(i), "S: +OK", "S: From: alice@example.org",
                                   "S: To: bob@example.org", "S: Subject: " + subjects[i - 1],
                                   "S: Date: Sun, 6 Dec 2026 10:00:00 +0000", "S: ", "S: 8F3A", "S: ."});
    }
  }
  script.insert(script.end(), {"C: QUIT", "S: +OK bye"});
  return script;
}

void UseLocalServer(ui::MainWindow& window, int port) {
  window.Program().MailOptions.PopServer = "pop3://127.0.0.1:" + std::to_string(port);
  window.Program().MailOptions.UserName = "bob";
  window.Program().MailOptions.Password = "secret";
}

void MainWindowTest::SetUp() {
  WriteSettings(store.Folder());
  WriteBytes(store / "opt.dne", "Done\r\n");
}

void MainWindowTest::Start() { window = OpenMainWindow(store.Folder(), dialogs, desktop); }

void MainWindowTest::LeftClickRow(int row) {
  const QRect cell = window->boxGrid->visualRect(window->boxGrid->model()->index(row, 1));
  QTest::mouseClick(window->boxGrid->viewport(), Qt::LeftButton, {}, cell.center());
}

void MainWindowTest::RightClickRow(int row, const QString& popupItem) {
  if (!popupItem.isEmpty()) desktop.popUpChoices.push_back(popupItem);
  const QPoint at = window->boxGrid->visualRect(window->boxGrid->model()->index(row, 1)).center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, window->boxGrid->viewport()->mapToGlobal(at));
  QCoreApplication::sendEvent(window->boxGrid->viewport(), &event);
}

QString MainWindowTest::Caption() const { return window->boxFrame->title(); }

QString MainWindowTest::Cell(int row, int column) const {
  return window->boxGrid->model()->index(row, column).data().toString();
}

std::vector<QString> MainWindowTest::GridSubjects() const {
  std::vector<QString> subjects;
  for (int row = 0; row < window->boxGrid->model()->rowCount(); ++row) subjects.push_back(Cell(row, 2));
  return subjects;
}

}  // namespace ostrel::testing
