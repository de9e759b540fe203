// Notices of new mail through a notification service on a private session
// bus, and the fallback when the bus has no such service. Without any bus,
// as in the other window tests, the periodic check's tests meet the fallback.

#include "ui/desktop_notifier.h"

#include <gmock/gmock.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTest>

namespace ostrel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kPatienceMs = 10000;

// A stand-in for the desktop's notification service, answering on the bus
// under the interface and method name that desktops use.
class FakeNotifications : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

 public:
  struct Notice {
    uint replaces = 0;
    QString summary;
    QString body;
  };
  std::vector<Notice> notices;

 public slots:
  uint Notify(const QString&, uint replaces, const QString&, const QString& summary, const QString& body,
              const QStringList&, const QVariantMap&, int) {
    notices.push_back({replaces, summary, body});
    return static_cast<uint>(40 + notices.size());
  }
};

// A session bus of the test's own, gone with it.
class PrivateBus {
 public:
  PrivateBus() {
    daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    if (daemon_.waitForStarted(kPatienceMs) && daemon_.waitForReadyRead(kPatienceMs)) {
      address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
  }
  ~PrivateBus() {
    for (const QString& name : names_) QDBusConnection::disconnectFromBus(name);
    daemon_.kill();
    daemon_.waitForFinished();
  }
  const QString& Address() const { return address_; }
  QDBusConnection Connect(const QString& name) {
    names_.push_back(name);
    return QDBusConnection::connectToBus(address_, name);
  }

 private:
  QProcess daemon_;
  QString address_;
  QStringList names_;
};

TEST(DesktopNotifierTest, NoticesGoToTheNotificationServiceEachReplacingTheOneBefore) {
  PrivateBus bus;
  ASSERT_FALSE(bus.Address().isEmpty()) << "dbus-daemon did not start";
  FakeNotifications service;
  QDBusConnection serviceSide = bus.Connect("notifications-service");
  ASSERT_TRUE(serviceSide.registerObject("/org/freedesktop/Notifications", &service,
                                         QDBusConnection::ExportAllSlots));
  ASSERT_TRUE(serviceSide.registerService("org.freedesktop.Notifications"));

  std::vector<std::string> fallen;
  ui::DesktopNotifier notifier([&fallen](std::string_view text) { fallen.emplace_back(text); },
                               bus.Connect("program-side"));
  notifier.Notify("3 new messages");
  ASSERT_TRUE(QTest::qWaitFor([&] { return service.notices.size() == 1; }, kPatienceMs));
  ASSERT_TRUE(QTest::qWaitFor([&] { return notifier.Unanswered() == 0; }, kPatienceMs));
  notifier.Notify("1 new message");
  ASSERT_TRUE(QTest::qWaitFor([&] { return service.notices.size() == 2; }, kPatienceMs));

  // The application's name, icon and category are presentation.
  EXPECT_EQ(service.notices[0].summary, "3 new messages");
  EXPECT_EQ(service.notices[0].body, "In Box");
  EXPECT_EQ(service.notices[0].replaces, 0u);
  EXPECT_EQ(service.notices[1].summary, "1 new message");
  EXPECT_EQ(service.notices[1].replaces, 41u);
  EXPECT_THAT(fallen, IsEmpty());
}

TEST(DesktopNotifierTest, WithoutAServiceOnTheBusTheNoticeFallsBack) {
  PrivateBus bus;
  ASSERT_FALSE(bus.Address().isEmpty()) << "dbus-daemon did not start";
  std::vector<std::string> fallen;
  ui::DesktopNotifier notifier([&fallen](std::string_view text) { fallen.emplace_back(text); },
                               bus.Connect("lonely-program"));
  notifier.Notify("2 new messages");
  EXPECT_TRUE(fallen.empty()) << "the answer comes later";
  EXPECT_TRUE(QTest::qWaitFor([&] { return !fallen.empty(); }, kPatienceMs));
  EXPECT_THAT(fallen, ElementsAre("2 new messages"));
}

}  // namespace
}  // namespace ostrel::testing

#include "desktop_notifier_test.moc"
