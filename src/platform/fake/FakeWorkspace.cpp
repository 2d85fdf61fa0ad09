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

} // namespace platform
