#pragma once
// The browser window: a help page when HelpTopic names one ("Help Topic"),
// otherwise the web page of the message ("Web Message").

#include <QDialog>
#include <string>

namespace ostrel::ui {

class Desktop;
class LocalBrowser;

class frmBrowser : public QDialog {
  Q_OBJECT

 public:
  frmBrowser(const std::string& programFolder, const std::string& helpTopic, Desktop& desktop, QWidget* parent);

  LocalBrowser* WebBrowser1;
};

}  // namespace ostrel::ui
