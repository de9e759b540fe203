// The browser never reaches the network and reads files from its folder only.
#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "ui/local_browser.h"

namespace ostrel::testing {
namespace {

TEST(LocalBrowser, LoadsOnlyFilesInsideItsFolder) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "inner");
  WriteBytes(folder / "inner" / "picture.png", "png");
  ui::LocalBrowser browser(folder / "inner", nullptr);
  browser.ShowPage(folder / "inner" / "page.htm");
  const QString base = QString::fromStdString((folder / "inner").string());
  EXPECT_TRUE(browser.IsAllowed(QUrl::fromLocalFile(base + "/picture.png")));
  EXPECT_TRUE(browser.IsAllowed(QUrl("picture.png")));
  for (const char* outside : {"http://tracker.example.com/pixel.gif", "https://example.com/style.css",
                              "ftp://example.com/file", "file:///etc/passwd", "../outside.png"}) {
    EXPECT_FALSE(browser.IsAllowed(QUrl(outside))) << outside;
  }
  EXPECT_TRUE(browser.loadResource(QTextDocument::ImageResource, QUrl("http://example.com/a.png")).isNull());
}

TEST(LocalBrowser, RemoteImagesAreNotFetchedAndLinksAreHandedOut) {
  TempFolder folder;
  WriteBytes(folder / "web.html",
             "<html><body><img src=\"http://tracker.example.com/p.gif\"><a href=\"https://example.com/\">"
             "site</a> <a href=\"other.htm\">local</a></body></html>");
  WriteBytes(folder / "other.htm", "<p>The other page</p>");
  ui::LocalBrowser browser(folder.Path(), nullptr);
  std::vector<QUrl> handedOut;
  QObject::connect(&browser, &ui::LocalBrowser::ExternalLinkClicked,
                   [&handedOut](const QUrl& link) { handedOut.push_back(link); });
  browser.ShowPage(folder / "web.html");
  EXPECT_TRUE(browser.toPlainText().contains("site"));
  emit browser.anchorClicked(QUrl("https://example.com/"));
  ASSERT_EQ(handedOut.size(), 1u);
  EXPECT_EQ(handedOut[0], QUrl("https://example.com/"));
  emit browser.anchorClicked(QUrl("other.htm"));
  EXPECT_TRUE(browser.toPlainText().contains("The other page"));
}

TEST(LocalBrowser, MissingPageShowsAClearErrorPage) {
  TempFolder folder;
  ui::LocalBrowser browser(folder.Path(), nullptr);
  browser.ShowPage(folder / "oxmkey.htm");
  EXPECT_TRUE(browser.toPlainText().contains("could not be found"));
}

}  // namespace
}  // namespace ostrel::testing
