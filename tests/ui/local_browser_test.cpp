// The browser never reaches the network and reads files from its folder only;
// printing lays lines out on pages.
#include <gtest/gtest.h>

#include <QPdfWriter>

#include "support/temp_folder.h"
#include "ui/local_browser.h"
#include "ui/page_printer.h"

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

TEST(PagePrinter, WritesEveryLineIntoAPdfAcrossPages) {
  TempFolder folder;
  const QString file = QString::fromStdString((folder / "page.pdf").string());
  std::vector<std::string> lines(200, "a line of the message");
  lines.push_back(std::string(400, 'W'));
  {
    QPdfWriter writer(file);
    ASSERT_TRUE(ui::PrintPage(writer, lines));
  }
  const std::string pdf = ReadBytes(folder / "page.pdf");
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  // 200 lines do not fit on one page.
  std::size_t pages = 0;
  for (std::size_t at = pdf.find("/Type /Page\n"); at != std::string::npos; at = pdf.find("/Type /Page\n", at + 1)) {
    ++pages;
  }
  EXPECT_GT(pages, 1u);
}

}  // namespace
}  // namespace ostrel::testing
