#include "StatusRecorder.h"

#include "Wait.h"

StatusRecorder::StatusRecorder(DaemonManager& manager)
{
    QObject::connect(&manager, &DaemonManager::statusChanged, &m_context,
                     [this](const DaemonStatus& status) { m_statuses.append(status); });
    QObject::connect(&manager, &DaemonManager::childEnded, &m_context, [this] { ++m_childEnds; });
}

QStringList StatusRecorder::labels() const
{
    QStringList labels;
    for (const DaemonStatus& status : m_statuses)
        labels.append(status.label());
    return labels;
}

bool StatusRecorder::waitForChildEnds(int count)
{
    return waitUntil([&] { return m_childEnds >= count; });
}
