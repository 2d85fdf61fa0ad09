#include "core/daemon/CrashAlerts.h"

CrashAlerts::CrashAlerts(DaemonManager& daemon, UserDefaults defaults, QObject* parent)
    : QObject(parent)
    , m_defaults(std::move(defaults))
{
    connect(&daemon, &DaemonManager::statusChanged, this, &CrashAlerts::observe);
    observe(daemon.status());
}

void CrashAlerts::observe(const DaemonManager::Status& status)
{
    using Kind = DaemonManager::Status::Kind;
    switch (status.kind()) {
    case Kind::starting:
    case Kind::running:
        m_unattended = true;
        return;
    case Kind::stopped:
        // stop() shows `stopped` at once, before the child has ended: whatever
        // that child's end reports next is the stop's doing.
        m_unattended = false;
        return;
    case Kind::crashed: {
        const bool unexpected = m_unattended || status.exitCode() == -1;
        m_unattended = false; // once per crash
        if (unexpected && m_defaults.value(DefaultsKeys::crashAlerts))
            Q_EMIT crashed(status.exitCode());
        return;
    }
    }
}
