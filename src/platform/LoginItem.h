#pragma once

#include "core/base/Result.h"

namespace platform {

// The application as an item the system starts when the user logs in.
class LoginItem
{
public:
    // The values are the platform service's own.
    enum class Status
    {
        notRegistered = 0,
        enabled = 1,
        requiresApproval = 2, // registered, but turned off in the system's settings
        notFound = 3          // the application itself cannot be found
    };

    virtual ~LoginItem() = default;
    virtual Status status() = 0;
    virtual Result<Done> registerItem() = 0;
    virtual Result<Done> unregisterItem() = 0;
};

} // namespace platform
