#include "platform/fake/FakeNotifications.h"

namespace platform {

QFuture<Result<Done>> FakeNotifications::show(Notification notification)
{
    if (error)
        return QtFuture::makeReadyFuture(Result<Done>(*error));
    shown << std::move(notification);
    return QtFuture::makeReadyFuture(Result<Done>(Done{}));
}

void FakeNotifications::click(qsizetype index) const
{
    if (const auto& activated = shown.at(index).activated)
        activated();
}

} // namespace platform
