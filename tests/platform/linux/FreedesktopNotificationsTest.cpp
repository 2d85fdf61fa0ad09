#include "platform/linux/FreedesktopNotifications.h"

#include "support/Printers.h"
#include "support/SessionBusTest.h"
#include "support/Wait.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Stands in for the desktop's notification server, on a connection of its own.
class NotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QList<QStringList> calls; // summary, body, the desktop-entry hint, then the actions

public Q_SLOTS:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
                const QStringList& actions, const QVariantMap& hints, int)
    {
        calls << QStringList{summary, body, hints.value(u"desktop-entry"_s).toString()} + actions;
        return uint(calls.size()) + 40;
    }
};

void emitSignal(QDBusConnection& connection, const QString& name, const QVariantList& arguments)
{
    QDBusMessage signal = QDBusMessage::createSignal(u"/org/freedesktop/Notifications"_s,
                                                     u"org.freedesktop.Notifications"_s, name);
    signal.setArguments(arguments);
    connection.send(signal);
}

class FreedesktopNotificationsTest : public SessionBusTest
{
protected:
    platform::FreedesktopNotifications notifications{u"zentrope"_s};
};

} // namespace

TEST_F(FreedesktopNotificationsTest, ShowsTheBannerAndRunsItsActionWhenClicked)
{
    const auto unserved = awaitResult(notifications.show({u"Zentrope"_s, {}, {}, {}}));
    ASSERT_FALSE(unserved.ok()) << "no notification server yet";
    EXPECT_EQ(unserved.error().domain, u"Notifications"_s);

    QDBusConnection desktop = QDBusConnection::connectToBus(address, u"desktop"_s);
    NotificationServer server;
    ASSERT_TRUE(desktop.registerObject(u"/org/freedesktop/Notifications"_s, &server,
                                       QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(desktop.registerService(u"org.freedesktop.Notifications"_s));

    int clicks = 0;
    const auto shown = awaitResult(notifications.show(
        {u"Zentrope"_s, u"The daemon stopped (exit 3)."_s, u"Open Zentrope"_s, [&] { ++clicks; }}));
    ASSERT_TRUE(shown.ok()) << shown.error().description.toStdString();
    EXPECT_EQ(server.calls,
              (QList<QStringList>{{u"Zentrope"_s, u"The daemon stopped (exit 3)."_s, u"zentrope"_s,
                                   u"default"_s, u"Open Zentrope"_s}}));

    emitSignal(desktop, u"ActionInvoked"_s, {uint(99), u"default"_s});
    emitSignal(desktop, u"ActionInvoked"_s, {uint(41), u"other"_s});
    emitSignal(desktop, u"ActionInvoked"_s, {uint(41), u"default"_s});
    EXPECT_TRUE(waitUntil([&] { return clicks == 1; }));
    emitSignal(desktop, u"NotificationClosed"_s, {uint(41), uint(2)});
    emitSignal(desktop, u"ActionInvoked"_s, {uint(41), u"default"_s});
    // The click after closing is handled (or not) before this round trip returns.
    EXPECT_TRUE(awaitResult(notifications.show({u"Zentrope"_s, {}, {}, {}})).ok());
    EXPECT_EQ(clicks, 1) << "only its own notification's default action, while it is shown";

    desktop.unregisterService(u"org.freedesktop.Notifications"_s);
    QDBusConnection::disconnectFromBus(u"desktop"_s);
}

#include "FreedesktopNotificationsTest.moc"
