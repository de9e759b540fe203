#include "store/message_actions.h"

#include <gmock/gmock.h>

#include "engine/hex_text.h"
#include "store_folder.h"

namespace ostrel::testing {
namespace {

using ::testing::ElementsAre;

class DecryptPaneTest : public EngineTest {
 protected:
  std::string buffer;
};

// Hex lines on their own, the Sent copy's attachment lines right after the
// last hex digit, and the plain signature block "Send" adds after "Encrypt".
TEST_F(DecryptPaneTest, DeciphersHexTextUnderTheKeyLoadedAndKeepsTheLinesAfterIt) {
  LoadKey();
  std::string cipher = "Caf\xE9 at noon";
  engine.EncryptText(cipher);
  const std::string hex = engine::HexEncode(cipher);
  ASSERT_EQ(hex.size(), 24u);
  for (const auto& [pane, shown] :
       {std::pair{hex + "\r\n", std::string("Caf\u00E9 at noon")},
        {hex + "<ATTACHMENT /home/a/plan.txt>\r\n<ATTACHMENT /home/a/map.png>\r\n\r\n",
         "Caf\u00E9 at noon\r\n<ATTACHMENT /home/a/plan.txt>\r\n<ATTACHMENT /home/a/map.png>\r\n\r\n"},
        {hex + "\r\n\r\n\r\n\r\nAlice\r\n", "Caf\u00E9 at noon\r\n\r\n\r\n\r\nAlice\r\n"}}) {
    SCOPED_TRACE(pane);
    EXPECT_EQ(store::DecryptPane(pane, engine, buffer, dialogs), shown);
    EXPECT_EQ(buffer, "Caf\xE9 at noon");
  }
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(DecryptPaneTest, WithoutAKeyOrWithTextThatIsNotHexTellsThePersonAndGivesNothing) {
  EXPECT_FALSE(store::DecryptPane("4142\r\n", engine, buffer, dialogs));
  LoadKey();
  EXPECT_FALSE(store::DecryptPane("plain words", engine, buffer, dialogs));
  EXPECT_THAT(dialogs.ShownTexts(),
              ElementsAre("No key is loaded. Choose the key of this message in the key list first.",
                          "The message could not be deciphered. The message pane holds no cipher text."));
}

// What printing a message puts on paper, line by line.
TEST(PrintLines, HeaderRuleAndPaneLines) {
  EXPECT_THAT(store::PrintLines("bob@example.org", "Hello", "1/2/2026", "line one\r\nline two\r\n"),
              ElementsAre("   From: bob@example.org", "Subject:Hello", "   Date:1/2/2026", std::string(77, '='),
                          "line one", "line two"));
  EXPECT_EQ(store::PrintLines("", "", "", "no line end").back(), "no line end");
}

TEST(PrepareWebView, CopiesOnlyAWebFileOfThisBoxOverWebHtml) {
  StoreFolder folder;
  const std::string name = folder.AddMessage("In", "Page", "text\r\n", std::string("<p>page</p>\r\n"));
  WriteBytes(folder / "web.html", "old help");
  EXPECT_TRUE(store::PrepareWebView(folder.Folder(), "In", name));
  EXPECT_EQ(ReadBytes(folder / "web.html"), "<p>page</p>\r\n");

  const std::string textOnly = folder.AddMessage("Sent", "Mine", "text\r\n");
  for (const auto& [box, message] : {std::pair{"Sent", textOnly}, {"In", ""}, {"In", "../../etc/passwd"}}) {
    EXPECT_FALSE(store::PrepareWebView(folder.Folder(), box, message)) << message;
  }
  EXPECT_EQ(ReadBytes(folder / "web.html"), "<p>page</p>\r\n");
}

}  // namespace
}  // namespace ostrel::testing
