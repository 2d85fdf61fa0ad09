#pragma once

#include <QString>

namespace platform {

// The system's log (syslog on Linux, so journald keeps it; NSLog on macOS).
// Only the application's few "Zentrope: " diagnostic lines go here.
class SystemLog
{
public:
    virtual ~SystemLog() = default;
    virtual void write(const QString& line) = 0;
};

} // namespace platform
