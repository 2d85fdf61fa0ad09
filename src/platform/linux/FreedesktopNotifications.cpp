#include "platform/linux/FreedesktopNotifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>
#include <QPromise>
#include <QVariantMap>
#include <memory>

namespace platform {

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
const QString defaultAction = QStringLiteral("default");

Error notificationError(const QString& description)
{
    return Error{QStringLiteral("Notifications"), 1, description};
}

} // namespace

FreedesktopNotifications::FreedesktopNotifications(QString desktopEntry)
    : m_desktopEntry(std::move(desktopEntry))
{}

bool FreedesktopNotifications::listen()
{
    if (m_listening)
        return true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    m_listening = bus.connect(service, path, interface, QStringLiteral("ActionInvoked"), this,
                              SLOT(actionInvoked(uint, QString))) &&
                  bus.connect(service, path, interface, QStringLiteral("NotificationClosed"), this,
                              SLOT(notificationClosed(uint, uint)));
    return m_listening;
}

QFuture<Result<Done>> FreedesktopNotifications::show(Notification notification)
{
    if (!listen())
        return QtFuture::makeReadyFuture(
            Result<Done>(notificationError(QStringLiteral("There is no session bus."))));

    QDBusMessage message =
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), m_desktopEntry},
                            {QStringLiteral("urgency"), QVariant::fromValue(uchar(1))}};
    // "default" is the click on the banner; some desktops show it as a button.
    message << m_desktopEntry << uint(0) << m_desktopEntry << notification.title
            << notification.body << QStringList{defaultAction, notification.actionLabel} << hints
            << int(-1);

    auto promise = std::make_shared<QPromise<Result<Done>>>();
    promise->start();
    auto* watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(message, callTimeoutMilliseconds), this);
    QPointer<FreedesktopNotifications> self(this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [self, promise,
             activated = std::move(notification.activated)](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<uint> reply = *finished;
                if (reply.isError()) {
                    promise->addResult(notificationError(reply.error().message()));
                } else {
                    if (self)
                        self->m_shown.insert(reply.value(), activated);
                    promise->addResult(Done{});
                }
                promise->finish();
            });
    return promise->future();
}

void FreedesktopNotifications::actionInvoked(uint id, const QString& actionKey)
{
    const auto shown = m_shown.constFind(id);
    if (actionKey == defaultAction && shown != m_shown.cend() && *shown)
        (*shown)();
}

void FreedesktopNotifications::notificationClosed(uint id, uint /*reason*/)
{
    m_shown.remove(id);
}

} // namespace platform
