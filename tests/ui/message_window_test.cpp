// Opening a message: hex text and "Decrypt", the browser window for web
// messages and help pages, and the Actual Encryption viewer.

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

TEST_F(MessageWindowTest, DecryptDeciphersTheHexAndLeavesAttachmentLinesAndASignatureAsTheyStand) {
  WriteDefaultKey(store.Folder());
  // 13 characters give 26 hex digits and no line end of their own, so an
  // attachment line follows on the same line, as in the Sent copy.
  const std::string hex = HexCipherText("See the plan.");
  // 40 characters fill one hex line of 80 digits, which ends in CR LF.
  const std::string fullLine = HexCipherText(std::string(40, 'x'));
  struct Case {
    const char* name;
    const char* box;
    std::string stored;
    std::string deciphered;
  };
  const Case cases[] = {
      {"attachment after the last digit", "Sent", hex + "<ATTACHMENT /home/alice/plan.txt>\r\n",
       "See the plan.\r\n<ATTACHMENT /home/alice/plan.txt>\r\n"},
      {"attachment on a line of its own", "Sent",
       fullLine + "<ATTACHMENT /home/alice/a.txt>\r\n<ATTACHMENT /home/alice/b.txt>\r\n\r\n",
       std::string(40, 'x') + "\r\n<ATTACHMENT /home/alice/a.txt>\r\n<ATTACHMENT /home/alice/b.txt>\r\n\r\n"},
      {"signature", "In", hex + "\r\n\r\n\r\n\r\nAlice\r\nFACE 2 FACE\r\n",
       "See the plan.\r\n\r\n\r\n\r\nAlice\r\nFACE 2 FACE\r\n"},
  };
  for (const Case& test : cases) store.AddMessage(test.box, test.name, test.stored);
  Start();
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    (std::string(test.box) == "Sent" ? window->sentButton : window->inBoxButton)->click();
    for (int row = 0; row < window->boxGrid->model()->rowCount(); ++row) {
      if (window->boxGrid->model()->data(window->boxGrid->model()->index(row, 2)).toString() == test.name)
        LeftClickRow(row);
    }
    ASSERT_TRUE(window->decryptButton->isEnabled());
    window->decryptButton->click();
    EXPECT_EQ(window->PaneText(), test.deciphered);
    EXPECT_FALSE(window->decryptButton->isEnabled());
  }
  EXPECT_TRUE(dialogs.shown.empty());
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

TEST_F(MessageWindowTest, EveryHelpPageIsInstalledAndShownAndOneTheUserChangedIsKept) {
  WriteBytes(store / "oxmrecv.htm", "<h1>my notes</h1>");
  QString help;
  desktop.onModal.push_back(
      [&help](QDialog& dialog) { help = dynamic_cast<ui::BrowserWindow&>(dialog).browser->toPlainText(); });
  Start();
  window->keyManagementHelpAction->trigger();
  EXPECT_THAT(help.toStdString(), HasSubstr("Key Management"));
  for (QAction* item : {window->usingHelpAction, window->sendingHelpAction, window->receivingHelpAction})
    item->trigger();
  EXPECT_THAT(desktop.titles, ElementsAre("Help Topic", "Help Topic", "Help Topic", "Help Topic"));
  for (const char* page : {"oxmover.htm", "oxmkey.htm", "oxmsend.htm"}) {
    EXPECT_THAT(ReadBytes(store / page), HasSubstr("<h1>")) << page;
  }
  EXPECT_EQ(ReadBytes(store / "oxmrecv.htm"), "<h1>my notes</h1>");
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
  const QStringList lines = shown.split('\n');
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0].size(), 60);
  EXPECT_EQ(lines[1].size(), 15);
  EXPECT_TRUE(doneHasFocus);
  EXPECT_EQ(window->CipherTextBuffer().size(), 75u);

  LeftClickRow(1);
  QTest::mouseDClick(window->messagePane->viewport(), Qt::LeftButton);
  EXPECT_EQ(desktop.opened.size(), 1u);
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("The message pane holds no cipher text to show."));
}

}  // namespace
}  // namespace ostrel::testing
