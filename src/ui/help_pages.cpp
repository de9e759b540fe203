#include "ui/help_pages.h"

#include <QFile>
#include <system_error>

#include "base/safe_file.h"
#include "store/program_folder.h"
#include "ui/qt_text.h"

// The pages are compiled into this library; a static library must register
// its resources itself, from outside any namespace.
static void RegisterHelpResources() { Q_INIT_RESOURCE(ui_resources); }

namespace ostrel::ui {
namespace {

// The installed page when there is one, else the program's own copy.
std::optional<QByteArray> ShippedPage(const std::optional<std::filesystem::path>& installedPages,
                                      std::string_view name) {
  if (installedPages) {
    QFile installed(ToQString((*installedPages / name).string()));
    if (installed.open(QIODevice::ReadOnly)) return installed.readAll();
  }
  QFile own(QString(":/help/") + ToQString(name));
  if (own.open(QIODevice::ReadOnly)) return own.readAll();
  return std::nullopt;
}

}  // namespace

void InstallHelpPages(const std::filesystem::path& programFolder) {
  const auto share = store::InstalledShareFolder(store::ExecutableFolder());
  InstallHelpPages(programFolder, share ? std::optional(*share / "ostrel-email") : std::nullopt);
}

void InstallHelpPages(const std::filesystem::path& programFolder,
                      const std::optional<std::filesystem::path>& installedPages) {
  RegisterHelpResources();
  for (const auto name : kHelpPages) {
    const auto target = programFolder / name;
    std::error_code error;
    if (std::filesystem::exists(target, error) || error) continue;
    const auto page = ShippedPage(installedPages, name);
    if (!page) continue;
    try {
      base::ReplaceFile(target, std::string_view(page->constData(), static_cast<std::size_t>(page->size())));
    } catch (const std::system_error&) {
      continue;
    }
  }
}

}  // namespace ostrel::ui
