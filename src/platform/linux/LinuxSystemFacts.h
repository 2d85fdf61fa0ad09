#pragma once

#include "platform/SystemFacts.h"

namespace platform {

// /etc/os-release and uname(2) for the system, /proc/cpuinfo for the CPU,
// sysconf(3) for the memory the kernel manages, Qt for locale and time zone.
class LinuxSystemFacts final : public SystemFacts
{
public:
    std::optional<QString> operatingSystemVersion() const override;
    std::optional<QString> machine() const override;
    std::optional<QString> cpuBrand() const override;
    std::optional<quint64> physicalMemoryBytes() const override;
    std::optional<QString> localeIdentifier() const override;
    std::optional<QString> timeZoneIdentifier() const override;
};

} // namespace platform
