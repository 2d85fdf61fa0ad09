#pragma once

#include "core/daemon/DaemonManager.h"

#include <QList>
#include <QObject>

// Records every status a DaemonManager publishes, and whether its child ended.
class StatusRecorder
{
public:
    explicit StatusRecorder(DaemonManager& manager);

    const QList<DaemonStatus>& statuses() const { return m_statuses; }
    QStringList labels() const;
    int childEnds() const { return m_childEnds; }
    // Waits (processing events) until the child's end has been handled `count` times.
    bool waitForChildEnds(int count = 1);

private:
    QObject m_context; // disconnects us when we go before the manager
    QList<DaemonStatus> m_statuses;
    int m_childEnds = 0;
};
