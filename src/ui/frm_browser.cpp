#include "ui/frm_browser.h"

#include <QVBoxLayout>

#include "store/message_view.h"
#include "ui/desktop.h"
#include "ui/local_browser.h"
#include "ui/named_control.h"

namespace ostrel::ui {

frmBrowser::frmBrowser(const std::string& programFolder, const std::string& helpTopic, Desktop& desktop,
                       QWidget* parent)
    : QDialog(parent) {
  setObjectName("frmBrowser");
  WebBrowser1 = Named<LocalBrowser>("WebBrowser1", programFolder, this);
  connect(WebBrowser1, &LocalBrowser::ExternalLinkClicked, this, [&desktop](const QUrl& link) {
    desktop.OpenLink(link);
  });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(3, 3, 3, 3);
  layout->addWidget(WebBrowser1);
  if (!helpTopic.empty()) {
    setWindowTitle("Help Topic");
    WebBrowser1->ShowPage(helpTopic);
  } else {
    setWindowTitle("Web Message");
    WebBrowser1->ShowPage(std::filesystem::path(programFolder) / store::kWebPageName);
  }
  resize(760, 560);
}

}  // namespace ostrel::ui
