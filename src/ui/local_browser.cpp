#include "ui/local_browser.h"

#include "base/ansi_text.h"
#include "base/safe_file.h"

namespace ostrel::ui {
namespace {

// A path with "." and ".." resolved, symbolic links followed where they exist.
std::filesystem::path Resolved(const std::filesystem::path& path) {
  std::error_code error;
  auto resolved = std::filesystem::weakly_canonical(path, error);
  return error ? path.lexically_normal() : resolved;
}

bool IsInside(const std::filesystem::path& file, const std::filesystem::path& folder) {
  const auto relative = Resolved(file).lexically_relative(Resolved(folder));
  return !relative.empty() && *relative.begin() != "..";
}

QString EscapedPath(const std::filesystem::path& path) {
  return QString::fromStdString(path.string()).toHtmlEscaped();
}

}  // namespace

LocalBrowser::LocalBrowser(std::filesystem::path allowedFolder, QWidget* parent)
    : QTextBrowser(parent), allowedFolder_(std::move(allowedFolder)) {
  setOpenLinks(false);
  setOpenExternalLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, &LocalBrowser::FollowLink);
}

bool LocalBrowser::IsAllowed(const QUrl& url) const {
  if (url.scheme().isEmpty() && url.path().isEmpty()) return false;
  if (!url.scheme().isEmpty() && url.scheme() != "file") return false;
  const QUrl absolute = url.isRelative() ? document()->baseUrl().resolved(url) : url;
  if (!absolute.isLocalFile()) return false;
  return IsInside(absolute.toLocalFile().toStdString(), allowedFolder_);
}

QVariant LocalBrowser::loadResource(int type, const QUrl& name) {
  if (!IsAllowed(name)) return {};
  return QTextBrowser::loadResource(type, name);
}

void LocalBrowser::ShowPage(const std::filesystem::path& page) {
  const auto bytes = IsInside(page, allowedFolder_) ? base::ReadWholeFile(page) : std::nullopt;
  document()->setBaseUrl(QUrl::fromLocalFile(QString::fromStdString(page.parent_path().string()) + "/"));
  if (!bytes) {
    setHtml(QString("<h2>Page not found</h2><p>The page %1 could not be found.</p>").arg(EscapedPath(page)));
    return;
  }
  // Stored pages are in the program's code page, like every message file.
  setHtml(QString::fromStdString(base::FromAnsi(*bytes)));
}

void LocalBrowser::FollowLink(const QUrl& link) {
  if (link.scheme().isEmpty() && link.path().isEmpty() && link.hasFragment()) {
    scrollToAnchor(link.fragment());
    return;
  }
  if (IsAllowed(link)) {
    const QUrl absolute = link.isRelative() ? document()->baseUrl().resolved(link) : link;
    ShowPage(absolute.toLocalFile().toStdString());
    if (absolute.hasFragment()) scrollToAnchor(absolute.fragment());
    return;
  }
  emit ExternalLinkClicked(link);
}

}  // namespace ostrel::ui
