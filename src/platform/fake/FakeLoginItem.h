#pragma once

#include "platform/LoginItem.h"

#include <functional>
#include <optional>

namespace platform {

// A login item kept in memory. Registering enables it unless
// `registrationError` is set; tests read the counts, and `onRegister` sees
// the world as it is at the moment of each attempt.
class FakeLoginItem final : public LoginItem
{
public:
    Status status() override { return current; }
    Result<Done> registerItem() override;
    Result<Done> unregisterItem() override;

    Status current = Status::notRegistered;
    std::optional<Error> registrationError;
    std::optional<Error> unregistrationError;
    std::function<void()> onRegister;
    int registrations = 0;
    int unregistrations = 0;
};

} // namespace platform
