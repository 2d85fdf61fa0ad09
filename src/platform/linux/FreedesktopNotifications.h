#pragma once

#include "platform/Notifications.h"

#include <QHash>
#include <QObject>

namespace platform {

// Notifications through the session bus's org.freedesktop.Notifications
// service, with the "default" action standing for a click on the banner. The
// bus is reached only when the first notification is shown, so an
// application that never shows one keeps no connection (nor its thread).
class FreedesktopNotifications final : public QObject, public Notifications
{
    Q_OBJECT

public:
    // `desktopEntry`: the name of our .desktop file without its extension,
    // which the desktop uses for the icon and the application's name.
    explicit FreedesktopNotifications(QString desktopEntry);

    QFuture<Result<Done>> show(Notification notification) override;

    static constexpr int callTimeoutMilliseconds = 5000;

private Q_SLOTS:
    void actionInvoked(uint id, const QString& actionKey);
    void notificationClosed(uint id, uint reason);

private:
    bool listen();

    const QString m_desktopEntry;
    bool m_listening = false;
    QHash<uint, std::function<void()>> m_shown; // by the desktop's id, until closed
};

} // namespace platform
