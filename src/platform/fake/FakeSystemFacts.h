#pragma once

#include "platform/SystemFacts.h"

namespace platform {

// Answers what a test sets; everything is absent at first.
class FakeSystemFacts final : public SystemFacts
{
public:
    std::optional<QString> operatingSystem;
    std::optional<QString> hardwareMachine;
    std::optional<QString> cpu;
    std::optional<quint64> memory;
    std::optional<QString> locale;
    std::optional<QString> timeZone;

    std::optional<QString> operatingSystemVersion() const override { return operatingSystem; }
    std::optional<QString> machine() const override { return hardwareMachine; }
    std::optional<QString> cpuBrand() const override { return cpu; }
    std::optional<quint64> physicalMemoryBytes() const override { return memory; }
    std::optional<QString> localeIdentifier() const override { return locale; }
    std::optional<QString> timeZoneIdentifier() const override { return timeZone; }
};

} // namespace platform
