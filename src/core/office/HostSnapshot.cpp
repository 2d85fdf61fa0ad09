#include "core/office/HostSnapshot.h"

#include "core/office/SideloadMessages.h"
#include "core/office/Sideloader.h"
#include "platform/Workspace.h"

QList<HostSnapshot> HostSnapshot::take(const platform::Workspace& workspace)
{
    // The workspace may scan every process of the user: once is enough.
    const QList<platform::RunningApplication> applications = workspace.runningApplications();
    QList<HostSnapshot> snapshots;
    for (const OfficeHost host : OfficeHost::allCases())
        snapshots.append({host, host.isInstalled(), Sideloader::isSideloaded(host),
                          host.isRunning(applications)});
    return snapshots;
}

QString HostSnapshot::statusLabel() const
{
    return SideloadMessages::statusLabel(installed, sideloaded, running);
}
