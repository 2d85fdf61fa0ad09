#pragma once

#include "platform/SystemLog.h"

#include <QStringList>

namespace platform {

// Keeps the lines instead of logging them, for tests to read.
class FakeSystemLog final : public SystemLog
{
public:
    void write(const QString& line) override;
    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
};

} // namespace platform
