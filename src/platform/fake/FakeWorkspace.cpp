#include "platform/fake/FakeWorkspace.h"

namespace platform {

void FakeWorkspace::setApplications(QList<RunningApplication> applications)
{
    m_applications = std::move(applications);
}

QList<RunningApplication> FakeWorkspace::runningApplications() const
{
    return m_applications;
}

bool FakeWorkspace::terminate(const RunningApplication& application)
{
    m_terminated.append(application.processIdentifier);
    return true;
}

QFuture<Result<Done>> FakeWorkspace::reveal(const QString& path)
{
    revealed.append(path);
    return QtFuture::makeReadyFuture(revealError ? Result<Done>(*revealError)
                                                 : Result<Done>(Done{}));
}

Result<Done> FakeWorkspace::open(const QUrl& url)
{
    opened.append(url);
    return openError ? Result<Done>(*openError) : Result<Done>(Done{});
}

} // namespace platform
