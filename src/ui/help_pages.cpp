#include "ui/help_pages.h"

#include <QFile>
#include <system_error>

#include "base/safe_file.h"
#include "ui/qt_text.h"

// The pages are compiled into this library; a static library must register
// its resources itself, from outside any namespace.
static void RegisterHelpResources() { Q_INIT_RESOURCE(ui_resources); }

namespace ostrel::ui {

void InstallHelpPages(const std::filesystem::path& programFolder) {
  RegisterHelpResources();
  for (const auto name : kHelpPages) {
    const auto target = programFolder / name;
    std::error_code error;
    if (std::filesystem::exists(target, error) || error) continue;
    QFile shipped(QString(":/help/") + ToQString(name));
    if (!shipped.open(QIODevice::ReadOnly)) continue;
    const QByteArray page = shipped.readAll();
    try {
      base::ReplaceFile(target, std::string_view(page.constData(), static_cast<std::size_t>(page.size())));
    } catch (const std::system_error&) {
      continue;
    }
  }
}

}  // namespace ostrel::ui
