// The one place that picks the platform backend.
#include "platform/Services.h"

#if defined(__linux__)
#include "platform/appcast/AppcastUpdateFramework.h"
#include "platform/linux/FreedesktopNotifications.h"
#include "platform/linux/InotifyFileWatcher.h"
#include "platform/linux/LinuxAccessibility.h"
#include "platform/linux/LinuxSystemFacts.h"
#include "platform/linux/OpensslCertificateTrust.h"
#include "platform/linux/ProcPortLookup.h"
#include "platform/linux/ProcWorkspace.h"
#include "platform/linux/SyslogSystemLog.h"
#include "platform/linux/XdgAutostartLoginItem.h"
#endif

namespace platform {

Services nativeServices(const Bundle& bundle)
{
    Services services;
#if defined(__linux__)
    services.systemLog = std::make_shared<SyslogSystemLog>();
    services.workspace = std::make_shared<ProcWorkspace>();
    services.updateFramework = std::make_shared<AppcastUpdateFramework>();
    services.fileWatcher = std::make_shared<InotifyFileWatcher>();
    services.certificateTrust = std::make_shared<OpensslCertificateTrust>();
    services.accessibility = std::make_shared<LinuxAccessibility>();
    services.loginItem = std::make_shared<XdgAutostartLoginItem>(bundle);
    services.systemFacts = std::make_shared<LinuxSystemFacts>();
    services.notifications = std::make_shared<FreedesktopNotifications>(QStringLiteral("zentrope"));
    services.portLookup = std::make_shared<ProcPortLookup>();
#endif
    return services;
}

} // namespace platform
