#pragma once

#include "core/daemon/CrashAlerts.h"
#include "platform/Notifications.h"

#include <QObject>
#include <functional>

// Tells the user of a crash CrashAlerts announces: a desktop notification
// naming the exit code, whose click opens the main window. Where the desktop
// takes no notifications, `fallback` shows the text another way.
class CrashNotifier : public QObject
{
    Q_OBJECT

public:
    using Fallback = std::function<void(const QString& title, const QString& body)>;

    CrashNotifier(CrashAlerts& alerts, platform::Notifications& notifications,
                  std::function<void()> openMainWindow, Fallback fallback,
                  QObject* parent = nullptr);

    // The notification's text for a daemon that ended with `exitCode`.
    static QString message(qint32 exitCode);

private:
    void announce(qint32 exitCode);

    platform::Notifications& m_notifications;
    std::function<void()> m_openMainWindow;
    Fallback m_fallback;
};
