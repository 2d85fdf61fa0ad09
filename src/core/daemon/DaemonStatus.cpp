#include "core/daemon/DaemonStatus.h"

#include <QCoreApplication>

QString DaemonStatus::label() const
{
    switch (m_kind) {
    case Kind::running:
        return QCoreApplication::translate("DaemonStatus", "Running (pid %1)").arg(m_payload);
    case Kind::crashed:
        return QCoreApplication::translate("DaemonStatus", "Crashed (exit %1)").arg(m_payload);
    case Kind::stopped:
        return QCoreApplication::translate("DaemonStatus", "Stopped");
    case Kind::starting:
        return QCoreApplication::translate("DaemonStatus", "Starting\u2026");
    }
    Q_UNREACHABLE();
    return {};
}
