#pragma once
// The browser window: a help page when HelpTopic names one ("Help Topic"),
// otherwise the web page of the message ("Web Message").

#include <QDialog>
#include <string>

namespace ostrel::ui {

class Desktop;
class LocalBrowser;

class BrowserWindow : public QDialog {
  Q_OBJECT

 public:
  BrowserWindow(const std::string& programFolder, const std::string& helpTopic, Desktop& desktop, QWidget* parent);

  LocalBrowser* browser;
};

}  // namespace ostrel::ui
