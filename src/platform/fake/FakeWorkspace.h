#pragma once

#include "platform/Workspace.h"

namespace platform {

// Reports the applications a test sets and records the quit requests.
class FakeWorkspace final : public Workspace
{
public:
    void setApplications(QList<RunningApplication> applications);
    QList<RunningApplication> runningApplications() const override;
    bool terminate(const RunningApplication& application) override;
    // The process identifiers asked to quit, in order.
    const QList<qint64>& terminated() const { return m_terminated; }

private:
    QList<RunningApplication> m_applications;
    QList<qint64> m_terminated;
};

} // namespace platform
