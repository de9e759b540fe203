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

std::string HexCipherText(const std::string& plain) {
  TempFolder work;
  engine::Engine engine(work.Path());
  std::string key = kTestKey;
  engine.LoadKey(key);
  std::string cipher = plain;
  engine.EncryptText(cipher);
  engine.CleanUpEngine();
  return engine::HexEncode(cipher);
}

void EncipherFile(const std::filesystem::path& plain, const std::filesystem::path& enciphered) {
  TempFolder work;
  engine::Engine engine(work.Path());
  std::string key = kTestKey;
  engine.LoadKey(key);
  engine.EncryptFile(plain, enciphered);
  engine.CleanUpEngine();
}

bool PickFromList(QComboBox& list, const QString& text) {
  const int index = list.findText(text);
  if (index < 0) return false;
  list.setCurrentIndex(index);
  emit list.activated(index);
  return true;
}

void MainWindowTest::SetUp() {
  WriteSettings(store.Folder());
  WriteBytes(store / "opt.dne", "Done\r\n");
}

void MainWindowTest::Start() {
  window = std::make_unique<ui::MainWindow>(store.Folder(), dialogs, desktop);
  window->Load();
  window->show();
  window->Activate();
}

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

}  // namespace ostrel::testing
