#include "ui/browser_window.h"

#include <QVBoxLayout>

#include "store/message_view.h"
#include "ui/desktop.h"
#include "ui/local_browser.h"
#include "ui/named_control.h"

namespace ostrel::ui {

BrowserWindow::BrowserWindow(const std::string& programFolder, const std::string& helpTopic, Desktop& desktop,
                             QWidget* parent)
    : QDialog(parent) {
  setObjectName("BrowserWindow");
  browser = Named<LocalBrowser>("browser", programFolder, this);
  connect(browser, &LocalBrowser::ExternalLinkClicked, this, [&desktop](const QUrl& link) { desktop.OpenLink(link); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->addWidget(browser);
  if (!helpTopic.empty()) {
    setWindowTitle("Help Topic");
    browser->ShowPage(helpTopic);
  } else {
    setWindowTitle("Web Message");
    browser->ShowPage(std::filesystem::path(programFolder) / store::kWebPageName);
  }
  resize(760, 560);
}

}  // namespace ostrel::ui
