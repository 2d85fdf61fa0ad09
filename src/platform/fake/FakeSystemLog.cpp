#include "platform/fake/FakeSystemLog.h"

namespace platform {

void FakeSystemLog::write(const QString& line)
{
    m_lines.append(line);
}

} // namespace platform
