#pragma once
// A text browser for pages from an untrusted sender: it runs no script (it
// has none), fetches nothing from the network and reads local files only
// from inside one folder. Links are handed out, never followed inside.

#include <QTextBrowser>
#include <QUrl>
#include <filesystem>
#include <functional>

namespace ostrel::ui {

class LocalBrowser : public QTextBrowser {
  Q_OBJECT

 public:
  // allowedFolder: the only folder pages and images may come from.
  LocalBrowser(std::filesystem::path allowedFolder, QWidget* parent);

  // Shows a page file of the allowed folder; an error page when it is missing.
  void ShowPage(const std::filesystem::path& page);

  // True for a resource the browser may load.
  bool IsAllowed(const QUrl& url) const;

  QVariant loadResource(int type, const QUrl& name) override;

 signals:
  // A clicked link that leads outside the page files.
  void ExternalLinkClicked(const QUrl& link);

 private:
  void FollowLink(const QUrl& link);

  std::filesystem::path allowedFolder_;
};

}  // namespace ostrel::ui
