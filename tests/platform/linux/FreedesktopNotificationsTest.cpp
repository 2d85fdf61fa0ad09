#include "platform/linux/FreedesktopNotifications.h"

#include "support/Printers.h"
#include "support/Wait.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Stands in for the desktop's notification server, on a connection of its own.
class NotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Call
    {
        QString appName, appIcon, summary, body;
        QStringList actions;
        QVariantMap hints;
    };
    QList<Call> calls;

public Q_SLOTS:
    uint Notify(const QString& appName, uint replacesId, const QString& appIcon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int expireTimeout)
    {
        Q_UNUSED(replacesId)
        Q_UNUSED(expireTimeout)
        calls << Call{appName, appIcon, summary, body, actions, hints};
        return uint(calls.size()) + 40;
    }
};

void emitSignal(QDBusConnection& connection, const QString& name, const QVariantList& arguments)
{
    QDBusMessage signal =
        QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                   QStringLiteral("org.freedesktop.Notifications"), name);
    signal.setArguments(arguments);
    connection.send(signal);
}

// One private dbus-daemon for the suite: Qt keeps the first session bus it
// connects to for the life of the process.
class FreedesktopNotificationsTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        bus = std::make_unique<QProcess>();
        bus->start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--nofork"),
                    QStringLiteral("--print-address")});
        ASSERT_TRUE(bus->waitForReadyRead(10000)) << "dbus-daemon did not start";
        address = QString::fromUtf8(bus->readLine().trimmed());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
    }
    static void TearDownTestSuite()
    {
        bus->kill();
        bus->waitForFinished();
        bus.reset();
    }

    static inline std::unique_ptr<QProcess> bus;
    static inline QString address;
    platform::FreedesktopNotifications notifications{QStringLiteral("zentrope")};
};

} // namespace

TEST_F(FreedesktopNotificationsTest, ShowsTheBannerAndRunsItsActionWhenClicked)
{
    QDBusConnection desktop = QDBusConnection::connectToBus(address, QStringLiteral("desktop"));
    NotificationServer server;
    ASSERT_TRUE(desktop.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &server,
                                       QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(desktop.registerService(QStringLiteral("org.freedesktop.Notifications")));

    int clicks = 0;
    const auto shown = awaitResult(notifications.show(
        {QStringLiteral("Zentrope"), QStringLiteral("The daemon stopped (exit 3)."),
         QStringLiteral("Open Zentrope"), [&] { ++clicks; }}));
    ASSERT_TRUE(shown.ok()) << shown.error().description.toStdString();
    ASSERT_EQ(server.calls.size(), 1);
    const NotificationServer::Call& call = server.calls.first();
    EXPECT_EQ(call.summary, QStringLiteral("Zentrope"));
    EXPECT_EQ(call.body, QStringLiteral("The daemon stopped (exit 3)."));
    EXPECT_EQ(call.actions,
              (QStringList{QStringLiteral("default"), QStringLiteral("Open Zentrope")}));
    EXPECT_EQ(call.hints.value(QStringLiteral("desktop-entry")).toString(),
              QStringLiteral("zentrope"));

    emitSignal(desktop, QStringLiteral("ActionInvoked"), {uint(99), QStringLiteral("default")});
    emitSignal(desktop, QStringLiteral("ActionInvoked"), {uint(41), QStringLiteral("other")});
    emitSignal(desktop, QStringLiteral("ActionInvoked"), {uint(41), QStringLiteral("default")});
    EXPECT_TRUE(waitUntil([&] { return clicks == 1; }));
    emitSignal(desktop, QStringLiteral("NotificationClosed"), {uint(41), uint(2)});
    emitSignal(desktop, QStringLiteral("ActionInvoked"), {uint(41), QStringLiteral("default")});
    // The click after closing is handled (or not) before this round trip returns.
    EXPECT_TRUE(awaitResult(notifications.show({QStringLiteral("Zentrope"), {}, {}, {}})).ok());
    EXPECT_EQ(clicks, 1) << "only its own notification's default action, while it is shown";

    desktop.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    QDBusConnection::disconnectFromBus(QStringLiteral("desktop"));
}

TEST_F(FreedesktopNotificationsTest, WithoutANotificationServerTheShowFails)
{
    const auto shown = awaitResult(notifications.show(
        {QStringLiteral("Zentrope"), QStringLiteral("body"), QStringLiteral("Open"), {}}));
    ASSERT_FALSE(shown.ok());
    EXPECT_EQ(shown.error().domain, QStringLiteral("Notifications"));
}

#include "FreedesktopNotificationsTest.moc"
