// Opening a message: hex text and "Decrypt", the browser window for web
// messages and help pages, and the Actual Encryption viewer.
#include <gmock/gmock.h>

#include <QAction>
#include <QGroupBox>
#include <QToolButton>

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "ui/frm_browser.h"
#include "ui/frm_show.h"
#include "ui/local_browser.h"
#include "ui_folder.h"

namespace ostrel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class MessageWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    WriteSettings(store.Folder());
    WriteBytes(store / "opt.dne", "Done\r\n");
  }
};

TEST_F(MessageWindowTest, HexMessageKeepsDecryptUsableAndDecryptShowsThePlainText) {
  WriteDefaultKey(store.Folder());
  const std::string hex = HexCipherText("Meet me at noon.\r\nAlice");
  store.AddMessage("In", "Secret", hex);
  Start();
  LeftClickRow(0);
  EXPECT_EQ(window->PaneText(), hex + "\r\n");
  EXPECT_TRUE(window->Command1->isEnabled());
  EXPECT_TRUE(window->Combo1->isEnabled());
  window->Command1->click();
  EXPECT_EQ(window->PaneText(), "Meet me at noon.\r\nAlice");
  EXPECT_EQ(window->Text1->toPlainText(), "Meet me at noon.\nAlice");
  EXPECT_EQ(ReadBytes(store / "In" / "MSG1.txt"), hex);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(MessageWindowTest, PlainTextDisablesDecryptAndTheKeyList) {
  store.AddMessage("In", "Lower", "abcdef\r\n");
  store.AddMessage("In", "Hex", "ABCDEF\r\n");
  Start();
  LeftClickRow(1);
  EXPECT_FALSE(window->Command1->isEnabled());
  EXPECT_FALSE(window->Combo1->isEnabled());
  LeftClickRow(0);
  EXPECT_TRUE(window->Command1->isEnabled());
}

TEST_F(MessageWindowTest, DecryptWithoutAnyKeyLoadedSaysSoAndKeepsThePane) {
  const std::string hex = HexCipherText("text");
  store.AddMessage("In", "Secret", hex);
  Start();
  LeftClickRow(0);
  window->Command1->click();
  EXPECT_EQ(window->PaneText(), hex + "\r\n");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_THAT(dialogs.shown[0].text, HasSubstr("No key is loaded"));
}

TEST_F(MessageWindowTest, HtmlMessageOpensTheBrowserWindowWithItsLinesJoined) {
  store.AddMessage("In", "Offer", "<HTML><body>\r\n<p>Winter offers</p>\r\n</body></HTML>\r\n");
  QString shown;
  desktop.onModal.push_back([&shown](QDialog& dialog) {
    shown = dynamic_cast<ui::frmBrowser&>(dialog).WebBrowser1->toPlainText();
  });
  Start();
  LeftClickRow(0);
  EXPECT_THAT(desktop.opened, ElementsAre("frmBrowser"));
  EXPECT_THAT(desktop.titles, ElementsAre("Web Message"));
  EXPECT_EQ(ReadBytes(store / "web.html"), "<HTML><body><p>Winter offers</p></body></HTML>\r\n");
  EXPECT_THAT(shown.toStdString(), HasSubstr("Winter offers"));
  EXPECT_EQ(window->PaneText(), "<HTML><body>\r\n<p>Winter offers</p>\r\n</body></HTML>\r\n");
}

TEST_F(MessageWindowTest, HelpPagesOpenAsHelpTopicsAndViewAsWebThenShowsTheMessage) {
  store.AddMessage("In", "Page", "plain text\r\n", std::string("<p>The web page</p>\r\n"));
  QString help;
  QString web;
  desktop.onModal.push_back(
      [&help](QDialog& dialog) { help = dynamic_cast<ui::frmBrowser&>(dialog).WebBrowser1->toPlainText(); });
  desktop.onModal.push_back(
      [&web](QDialog& dialog) { web = dynamic_cast<ui::frmBrowser&>(dialog).WebBrowser1->toPlainText(); });
  Start();
  window->hlp2->trigger();
  EXPECT_EQ(window->Program().HelpTopic, store.Folder() + "oxmkey.htm");
  LeftClickRow(0);
  window->Command2->click();
  EXPECT_THAT(desktop.titles, ElementsAre("Help Topic", "Web Message"));
  EXPECT_THAT(help.toStdString(), HasSubstr("Key Management"));
  EXPECT_THAT(web.toStdString(), HasSubstr("The web page"));
  EXPECT_EQ(window->Program().HelpTopic, "");
}

TEST_F(MessageWindowTest, ViewAsWebWithoutAWebFileShowsNothing) {
  store.AddMessage("Sent", "Mine", "sent text\r\n");
  Start();
  window->Image6->click();
  window->Command2->click();
  LeftClickRow(0);
  window->Command2->click();
  EXPECT_TRUE(desktop.opened.empty());
}

TEST_F(MessageWindowTest, EveryHelpPageIsInstalledAndShown) {
  Start();
  for (QAction* item : {window->hlp1, window->hlp2, window->hlp3, window->hlp4}) item->trigger();
  EXPECT_THAT(desktop.titles, ElementsAre("Help Topic", "Help Topic", "Help Topic", "Help Topic"));
  for (const char* page : {"oxmover.htm", "oxmkey.htm", "oxmsend.htm", "oxmrecv.htm"}) {
    EXPECT_THAT(ReadBytes(store / page), HasSubstr("<h1>")) << page;
  }
}

TEST_F(MessageWindowTest, HelpPageTheUserChangedIsKeptAtStart) {
  WriteBytes(store / "oxmkey.htm", "<p>my notes</p>");
  Start();
  EXPECT_EQ(ReadBytes(store / "oxmkey.htm"), "<p>my notes</p>");
}

TEST_F(MessageWindowTest, ActualEncryptionViewerShowsSixtyCipherCharactersALine) {
  store.AddMessage("In", "Hex", std::string(80, 'A') + "\r\n" + std::string(70, 'B') + "\r\n");
  QString shown;
  bool doneHasFocus = false;
  desktop.onModal.push_back([&](QDialog& dialog) {
    auto& viewer = dynamic_cast<ui::frmShow&>(dialog);
    EXPECT_EQ(viewer.windowTitle(), "Actual Encryption");
    shown = viewer.Text1->toPlainText();
    doneHasFocus = viewer.Command1->isDefault();
    viewer.Command1->click();
  });
  Start();
  LeftClickRow(0);
  QTest::mouseDClick(window->Text1->viewport(), Qt::LeftButton);
  ASSERT_THAT(desktop.opened, ElementsAre("frmShow"));
  const QStringList lines = shown.split('\n');
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0].size(), 60);
  EXPECT_EQ(lines[1].size(), 15);
  EXPECT_TRUE(doneHasFocus);
  EXPECT_EQ(window->Program().CipherTextBuffer.size(), 75u);
}

TEST_F(MessageWindowTest, ViewerOnPlainTextSaysThereIsNoCipherText) {
  store.AddMessage("In", "Plain", "hello\r\n");
  Start();
  LeftClickRow(0);
  QTest::mouseDClick(window->Text1->viewport(), Qt::LeftButton);
  EXPECT_TRUE(desktop.opened.empty());
  EXPECT_THAT(dialogs.ShownTexts(), ElementsAre("The message pane holds no cipher text to show."));
}

}  // namespace
}  // namespace ostrel::testing
