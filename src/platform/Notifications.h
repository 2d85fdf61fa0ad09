#pragma once

#include "core/base/Result.h"

#include <QFuture>
#include <QString>
#include <functional>

namespace platform {

// One desktop notification: a banner the desktop shows and keeps in its list.
struct Notification
{
    QString title;
    QString body;
    // Where the desktop shows the click as a button, its label.
    QString actionLabel;
    // Called on the main thread when the user clicks the notification.
    std::function<void()> activated;
};

// The desktop's notifications (the notification center on macOS,
// org.freedesktop.Notifications on Linux desktops).
class Notifications
{
public:
    virtual ~Notifications() = default;
    // Finishes on the caller's thread once the desktop has taken the
    // notification, or with the error why none could show it (the caller may
    // then show it some other way).
    virtual QFuture<Result<Done>> show(Notification notification) = 0;
};

} // namespace platform
