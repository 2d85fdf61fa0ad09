#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace platform {

// Facts about the machine for a support request. Each is absent when the
// system cannot tell it.
class SystemFacts
{
public:
    virtual ~SystemFacts() = default;

    // The operating system's name and version as a person reads it.
    virtual std::optional<QString> operatingSystemVersion() const = 0;
    // The machine's hardware name ("hw.machine" on macOS, `uname -m` on Linux).
    virtual std::optional<QString> machine() const = 0;
    virtual std::optional<QString> cpuBrand() const = 0;
    virtual std::optional<quint64> physicalMemoryBytes() const = 0;
    virtual std::optional<QString> localeIdentifier() const = 0;   // like "en_US"
    virtual std::optional<QString> timeZoneIdentifier() const = 0; // like "Europe/Berlin"
};

} // namespace platform
