#include "platform/linux/SyslogSystemLog.h"

#include <syslog.h>

namespace platform {

SyslogSystemLog::SyslogSystemLog()
{
    openlog("Zentrope", LOG_PID, LOG_USER);
}

SyslogSystemLog::~SyslogSystemLog()
{
    closelog();
}

void SyslogSystemLog::write(const QString& line)
{
    syslog(LOG_NOTICE, "%s", line.toUtf8().constData());
}

} // namespace platform
