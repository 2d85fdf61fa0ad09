// The one place that picks the platform backend.
#include "platform/Services.h"

#if defined(__linux__)
#include "platform/linux/LinuxSystemFacts.h"
#include "platform/linux/ProcWorkspace.h"
#include "platform/linux/SyslogSystemLog.h"
#endif

namespace platform {

Services nativeServices()
{
    Services services;
#if defined(__linux__)
    services.systemLog = std::make_shared<SyslogSystemLog>();
    services.workspace = std::make_shared<ProcWorkspace>();
    services.systemFacts = std::make_shared<LinuxSystemFacts>();
#endif
    return services;
}

} // namespace platform
