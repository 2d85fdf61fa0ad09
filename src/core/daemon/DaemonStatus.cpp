#include "core/daemon/DaemonStatus.h"

QString DaemonStatus::label() const
{
    switch (m_kind) {
    case Kind::running:
        return QStringLiteral("Running (pid %1)").arg(m_payload);
    case Kind::crashed:
        return QStringLiteral("Crashed (exit %1)").arg(m_payload);
    case Kind::stopped:
        return QStringLiteral("Stopped");
    case Kind::starting:
        return QStringLiteral("Starting\u2026");
    }
    Q_UNREACHABLE();
    return {};
}
