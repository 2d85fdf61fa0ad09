#include "platform/fake/FakeLoginItem.h"

namespace platform {

Result<Done> FakeLoginItem::registerItem()
{
    ++registrations;
    if (onRegister)
        onRegister();
    if (registrationError)
        return *registrationError;
    current = Status::enabled;
    return Done{};
}

Result<Done> FakeLoginItem::unregisterItem()
{
    ++unregistrations;
    if (unregistrationError)
        return *unregistrationError;
    current = Status::notRegistered;
    return Done{};
}

} // namespace platform
