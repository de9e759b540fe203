#pragma once
// Notices of new mail through the desktop's notification service (the
// freedesktop.org "org.freedesktop.Notifications" on the session bus). Where
// there is no such service, or it refuses the notice, the notice goes to the
// fallback instead (the main window's status line).

#include <QDBusConnection>
#include <QObject>
#include <functional>
#include <memory>
#include <string_view>

#include "mail/new_mail_notice.h"

namespace ostrel::ui {

class DesktopNotifier : public mail::NewMailNotifier {
 public:
  using Fallback = std::function<void(std::string_view text)>;
  explicit DesktopNotifier(Fallback fallback, QDBusConnection bus = QDBusConnection::sessionBus());
  ~DesktopNotifier() override;

  // Returns at once: the service answers later, and only a refusal comes
  // back, to the fallback. Each notice replaces the one before.
  void Notify(std::string_view text) override;

  // Notices whose answer has not come back yet.
  int Unanswered() const { return unanswered_; }

 private:
  Fallback fallback_;
  QDBusConnection bus_;
  // Receives the service's answers; gone with this object, so an answer
  // that comes later is dropped.
  std::unique_ptr<QObject> answers_;
  quint32 shownId_ = 0;
  int unanswered_ = 0;
};

}  // namespace ostrel::ui
