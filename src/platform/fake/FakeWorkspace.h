#pragma once

#include "platform/Workspace.h"

#include <QStringList>

namespace platform {

// Reports the applications a test sets and records the quit requests, the
// paths revealed and the addresses opened; fails those two when told to.
class FakeWorkspace final : public Workspace
{
public:
    void setApplications(QList<RunningApplication> applications);
    QList<RunningApplication> runningApplications() const override;
    bool terminate(const RunningApplication& application) override;
    // The process identifiers asked to quit, in order.
    const QList<qint64>& terminated() const { return m_terminated; }

    QFuture<Result<Done>> reveal(const QString& path) override;
    Result<Done> open(const QUrl& url) override;

    QStringList revealed;
    QList<QUrl> opened;
    std::optional<Error> revealError;
    std::optional<Error> openError;

private:
    QList<RunningApplication> m_applications;
    QList<qint64> m_terminated;
};

} // namespace platform
