#include "core/setup/LaunchAtLogin.h"

Result<Done> LaunchAtLogin::set(platform::LoginItem& loginItem, bool on)
{
    return on ? loginItem.registerItem() : loginItem.unregisterItem();
}

void LaunchAtLogin::enableOnFirstRun(UserDefaults& defaults, platform::LoginItem& loginItem,
                                     platform::SystemLog& log)
{
    if (defaults.value(DefaultsKeys::launchAtLoginRegistered))
        return;
    defaults.setValue(DefaultsKeys::launchAtLoginRegistered, true);
    // Written out now, so that even a crash during the attempt is not repeated.
    defaults.sync();
    const Result<Done> registered = loginItem.registerItem();
    if (!registered) {
        log.write(QStringLiteral("Zentrope: could not register login item: ") +
                  registered.error().localizedDescription());
    }
}
