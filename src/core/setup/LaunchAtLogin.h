#pragma once

#include "core/base/Result.h"
#include "core/base/UserDefaults.h"
#include "platform/LoginItem.h"
#include "platform/SystemLog.h"

// Zentrope as a login item: Office cannot start it, and the add-in only
// reaches the daemon while it runs.
class LaunchAtLogin
{
public:
    // Registers (on) or unregisters (off); the service's failure is passed on.
    static Result<Done> set(platform::LoginItem& loginItem, bool on);

    // Registers once per user account, on the first launch: the key is stored
    // before the attempt, so a failure is logged and never retried, and a user
    // who later turned the item off is not overridden. Never fails. The key
    // is DefaultsKeys::launchAtLoginRegistered.
    static void enableOnFirstRun(UserDefaults& defaults, platform::LoginItem& loginItem,
                                 platform::SystemLog& log);
};
