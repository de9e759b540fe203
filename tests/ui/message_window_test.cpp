// Opening a message: hex text and "Decrypt", the browser window for web
// messages and help pages, and the Actual Encryption viewer. What Decrypt
// and the viewer make of a text is the store's, tested beside it.

#include "ui/browser_window.h"
#include "ui/cipher_text_viewer.h"
#include "ui/local_browser.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using MessageWindowTest = MainWindowTest;

TEST_F(MessageWindowTest, HexMessageKeepsDecryptUsableAndDecryptShowsThePlainText) {
  WriteDefaultKey(store.Folder());
  const std::string hex = HexCipherText("Meet me at noon.\r\nAlice");
  store.AddMessage("In", "Secret", hex);
  Start();
  LeftClickRow(0);
  EXPECT_EQ(window->PaneText(), hex + "\r\n");
  EXPECT_TRUE(window->decryptButton->isEnabled());
  EXPECT_TRUE(window->keyList->isEnabled());
  window->decryptButton->click();
  EXPECT_EQ(window->PaneText(), "Meet me at noon.\r\nAlice");
  EXPECT_EQ(window->messagePane->toPlainText(), "Meet me at noon.\nAlice");
  EXPECT_EQ(ReadBytes(store / "In" / "MSG1.txt"), hex);
  EXPECT_TRUE(dialogs.shown.empty());
  // The pane holds plain text now: Decrypt is off until the message is opened again.
  EXPECT_FALSE(window->decryptButton->isEnabled());
  LeftClickRow(0);
  EXPECT_EQ(window->PaneText(), hex + "\r\n");
  EXPECT_TRUE(window->decryptButton->isEnabled());
}

TEST_F(MessageWindowTest, PlainTextDisablesDecryptAndWithoutAKeyDecryptSaysSoAndKeepsThePane) {
  store.AddMessage("In", "Lower", "abcdef\r\n");
  const std::string hex = HexCipherText("text");
  store.AddMessage("In", "Secret", hex);
  Start();
  LeftClickRow(1);
  EXPECT_FALSE(window->decryptButton->isEnabled());
  EXPECT_FALSE(window->keyList->isEnabled());
  LeftClickRow(0);
  ASSERT_TRUE(window->decryptButton->isEnabled());
  window->decryptButton->click();
  EXPECT_EQ(window->PaneText(), hex + "\r\n");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_THAT(dialogs.shown[0].text, HasSubstr("No key is loaded"));
}

TEST_F(MessageWindowTest, HtmlMessageOpensTheBrowserWindowWithItsLinesJoined) {
  store.AddMessage("In", "Offer", "<HTML><body>\r\n<p>Winter offers</p>\r\n</body></HTML>\r\n");
  QString shown;
  desktop.onModal.push_back(
      [&shown](QDialog& dialog) { shown = dynamic_cast<ui::BrowserWindow&>(dialog).browser->toPlainText(); });
  Start();
  LeftClickRow(0);
  EXPECT_THAT(desktop.opened, ElementsAre("BrowserWindow"));
  EXPECT_THAT(desktop.titles, ElementsAre("Web Message"));
  EXPECT_EQ(ReadBytes(store / "web.html"), "<HTML><body><p>Winter offers</p></body></HTML>\r\n");
  EXPECT_THAT(shown.toStdString(), HasSubstr("Winter offers"));
  EXPECT_EQ(window->PaneText(), "<HTML><body>\r\n<p>Winter offers</p>\r\n</body></HTML>\r\n");
}

// Which pages are written, and that a changed one stays, is the help pages'
// own test; here each menu item shows its page.
TEST_F(MessageWindowTest, EachHelpItemShowsItsInstalledPage) {
  std::vector<QString> shown;
  for (int item = 0; item < 4; ++item) {
    desktop.onModal.push_back([&shown](QDialog& dialog) {
      shown.push_back(dynamic_cast<ui::BrowserWindow&>(dialog).browser->toPlainText());
    });
  }
  Start();
  for (QAction* item : {window->usingHelpAction, window->keyManagementHelpAction, window->sendingHelpAction,
                        window->receivingHelpAction}) {
    item->trigger();
  }
  EXPECT_THAT(desktop.titles, ElementsAre("Help Topic", "Help Topic", "Help Topic", "Help Topic"));
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_TRUE(shown[1].contains("Key Management"));
  EXPECT_TRUE(shown[3].contains("Receiving Email"));
}

TEST_F(MessageWindowTest, ViewAsWebShowsTheMessagesWebFileAndNotTheLastHelpTopic) {
  store.AddMessage("In", "Page", "plain text\r\n", std::string("<p>The web page</p>\r\n"));
  store.AddMessage("Sent", "Mine", "sent text\r\n");
  QString web;
  desktop.onModal.push_back([](QDialog&) {});
  desktop.onModal.push_back(
      [&web](QDialog& dialog) { web = dynamic_cast<ui::BrowserWindow&>(dialog).browser->toPlainText(); });
  Start();
  window->keyManagementHelpAction->trigger();
  EXPECT_EQ(window->HelpTopic(), store.Folder() + "oxmkey.htm");
  LeftClickRow(0);
  window->viewAsWebButton->click();
  EXPECT_THAT(desktop.titles, ElementsAre("Help Topic", "Web Message"));
  EXPECT_THAT(web.toStdString(), HasSubstr("The web page"));
  EXPECT_EQ(window->HelpTopic(), "");

  // A message without a web file, or none chosen, opens nothing.
  window->sentButton->click();
  window->viewAsWebButton->click();
  LeftClickRow(0);
  window->viewAsWebButton->click();
  EXPECT_EQ(desktop.opened.size(), 2u);
}

TEST_F(MessageWindowTest, ActualEncryptionViewerShowsSixtyCipherCharactersALineAndRefusesPlainText) {
  store.AddMessage("In", "Plain", "hello\r\n");
  store.AddMessage("In", "Hex", std::string(80, 'A') + "\r\n" + std::string(70, 'B') + "\r\n");
  QString shown;
  bool doneHasFocus = false;
  OnNext<ui::CipherTextViewer>([&](auto& viewer) {
    EXPECT_EQ(viewer.windowTitle(), "Actual Encryption");
    shown = viewer.cipherTextEdit->toPlainText();
    doneHasFocus = viewer.doneButton->isDefault();
    viewer.doneButton->click();
  });
  Start();
  LeftClickRow(0);
  QTest::mouseDClick(window->messagePane->viewport(), Qt::LeftButton);
  ASSERT_THAT(desktop.opened, ElementsAre("CipherTextViewer"));
  EXPECT_EQ(shown, QString(40, QChar(0xAA)) + QString(20, QChar(0xBB)) + "\n" + QString(15, QChar(0xBB)));
  EXPECT_TRUE(doneHasFocus);

  LeftClickRow(1);
  QTest::mouseDClick(window->messagePane->viewport(), Qt::LeftButton);
  EXPECT_EQ(desktop.opened.size(), 1u);
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("The message pane holds no cipher text to show."));
}

}  // namespace
}  // namespace ostrel::testing
