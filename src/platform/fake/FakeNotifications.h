#pragma once

#include "platform/Notifications.h"

#include <QList>
#include <optional>

namespace platform {

// Keeps the notifications shown, for tests to read and click; refuses them
// while `error` is set.
class FakeNotifications final : public Notifications
{
public:
    QFuture<Result<Done>> show(Notification notification) override;
    // Clicks the notification shown `index`-th (0: the first).
    void click(qsizetype index) const;

    QList<Notification> shown;
    std::optional<Error> error;
};

} // namespace platform
