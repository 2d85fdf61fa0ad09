#pragma once

#include "platform/SystemLog.h"

namespace platform {

// syslog(3) with the ident "Zentrope"; journald picks it up.
class SyslogSystemLog final : public SystemLog
{
public:
    SyslogSystemLog();
    ~SyslogSystemLog() override;
    void write(const QString& line) override;
};

} // namespace platform
