#include "ui/desktop_notifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>
#include <string>

#include "ui/qt_text.h"

namespace ostrel::ui {
namespace {

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
constexpr int kShownForMs = -1;  // as long as the desktop shows notices

}  // namespace

DesktopNotifier::DesktopNotifier(Fallback fallback, QDBusConnection bus)
    : fallback_(std::move(fallback)), bus_(std::move(bus)), answers_(std::make_unique<QObject>()) {}

DesktopNotifier::~DesktopNotifier() = default;

void DesktopNotifier::Notify(std::string_view text) {
  if (!bus_.isConnected()) {
    fallback_(text);
    return;
  }
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, "Notify");
  const QVariantMap hints{{"category", QString("email.arrived")}};
  call << QString("Ostrel Encryption Email") << shownId_ << QString("mail-message-new") << ToQString(text)
       << QString("In Box") << QStringList() << hints << kShownForMs;
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), answers_.get());
  ++unanswered_;
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, answers_.get(),
                   [this, watcher, notice = std::string(text)] {
                     --unanswered_;
                     const QDBusPendingReply<quint32> reply = *watcher;
                     if (reply.isError()) {
                       fallback_(notice);
                     } else {
                       shownId_ = reply.value();
                     }
                     watcher->deleteLater();
                   });
}

}  // namespace ostrel::ui
