#pragma once

#include "platform/Workspace.h"

namespace platform {

// Running applications read from /proc: the current user's processes whose
// executable lies in <name>.app/Contents/MacOS/ and whose bundle's
// Contents/Info.plist names a CFBundleIdentifier. Processes without one are
// left out. The polite quit request is SIGTERM. Revealing and opening go to
// the desktop's file manager and xdg-open.
class ProcWorkspace final : public Workspace
{
public:
    QList<RunningApplication> runningApplications() const override;
    bool terminate(const RunningApplication& application) override;
    QFuture<Result<Done>> reveal(const QString& path) override;
    Result<Done> open(const QUrl& url) override;
};

} // namespace platform
