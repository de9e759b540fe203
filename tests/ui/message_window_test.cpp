// Opening a message: hex text and "Decrypt", the browser window for web
// messages and help pages, and the Actual Encryption viewer. What Decrypt,
// the web file and the viewer make of a text is the store's, tested beside it.

#include "ui/browser_window.h"
#include "ui/cipher_text_viewer.h"
#include "ui/local_browser.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using MessageWindowTest = MainWindowTest;

QString BrowserText(QDialog& dialog) { return dynamic_cast<ui::BrowserWindow&>(dialog).browser->toPlainText(); }

TEST_F(MessageWindowTest, DecryptIsOnForHexTextOnlyAndShowsThePlainTextUntilTheMessageIsOpenedAgain) {
  WriteDefaultKey(store.Folder());
  store.AddMessage("In", "Lower", "abcdef\r\n");
  const std::string hex = HexCipherText("Meet me at noon.\r\nAlice");
  store.AddMessage("In", "Secret", hex);
  Start();
  LeftClickRow(1);
  EXPECT_FALSE(window->decryptButton->isEnabled());
  EXPECT_FALSE(window->keyList->isEnabled());
  LeftClickRow(0);
  EXPECT_EQ(window->PaneText(), hex + "\r\n");
  EXPECT_TRUE(window->decryptButton->isEnabled());
  EXPECT_TRUE(window->keyList->isEnabled());
  window->decryptButton->click();
  EXPECT_EQ(window->messagePane->toPlainText(), "Meet me at noon.\nAlice");
  EXPECT_FALSE(window->decryptButton->isEnabled());
  LeftClickRow(0);
  EXPECT_EQ(window->PaneText(), hex + "\r\n");
  EXPECT_TRUE(window->decryptButton->isEnabled());
}

TEST_F(MessageWindowTest, AWebMessageOpensTheBrowserWindowAndViewAsWebShowsTheWebFileNotTheLastHelpTopic) {
  store.AddMessage("In", "Offer", "<HTML><body>\r\n<p>Winter offers</p>\r\n</body></HTML>\r\n");
  store.AddMessage("In", "Page", "plain text\r\n", std::string("<p>The web page</p>\r\n"));
  std::vector<QString> shown;
  for (int opened = 0; opened < 3; ++opened) {
    desktop.onModal.push_back([&shown](QDialog& dialog) { shown.push_back(BrowserText(dialog)); });
  }
  Start();
  LeftClickRow(1);
  window->keyManagementHelpAction->trigger();
  LeftClickRow(0);
  window->viewAsWebButton->click();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_TRUE(shown[0].contains("Winter offers"));
  EXPECT_TRUE(shown[1].contains("Key Management"));
  EXPECT_TRUE(shown[2].contains("The web page"));

  // A message without a web file opens nothing.
  store.AddMessage("Sent", "Mine", "sent text\r\n");
  window->sentButton->click();
  LeftClickRow(0);
  window->viewAsWebButton->click();
  EXPECT_EQ(desktop.opened.size(), 3u);
}

TEST_F(MessageWindowTest, ActualEncryptionViewerShowsTheCipherCharactersAndRefusesPlainText) {
  store.AddMessage("In", "Plain", "hello\r\n");
  store.AddMessage("In", "Hex", std::string(80, 'A') + "\r\n");
  QString shown;
  OnNext<ui::CipherTextViewer>([&](auto& viewer) { shown = viewer.cipherTextEdit->toPlainText(); });
  Start();
  LeftClickRow(0);
  QTest::mouseDClick(window->messagePane->viewport(), Qt::LeftButton);
  ASSERT_THAT(desktop.opened, ElementsAre("CipherTextViewer"));
  EXPECT_TRUE(shown.startsWith(QString(40, QChar(0xAA)))) << "the store's text for the pane";

  LeftClickRow(1);
  QTest::mouseDClick(window->messagePane->viewport(), Qt::LeftButton);
  EXPECT_EQ(desktop.opened.size(), 1u);
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("The message pane holds no cipher text to show."));
}

}  // namespace
}  // namespace ostrel::testing
