#pragma once

#include "platform/LoginItem.h"

#include <optional>

namespace platform {

// A login item kept in memory. Registering enables it unless
// `registrationError` is set; tests read the counts.
class FakeLoginItem final : public LoginItem
{
public:
    Status status() override { return current; }
    Result<Done> registerItem() override;
    Result<Done> unregisterItem() override;

    Status current = Status::notRegistered;
    std::optional<Error> registrationError;
    std::optional<Error> unregistrationError;
    int registrations = 0;
    int unregistrations = 0;
};

} // namespace platform
