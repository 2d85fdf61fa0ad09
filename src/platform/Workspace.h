#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace platform {

// One application the workspace reports as running.
struct RunningApplication
{
    qint64 processIdentifier = 0;
    // Compared as exact text; some applications have none.
    std::optional<QString> bundleIdentifier;
    QString executablePath;
};

// The user's running applications (NSWorkspace on macOS; on Linux, processes
// whose executable lies in an X.app/Contents/MacOS folder).
class Workspace
{
public:
    virtual ~Workspace() = default;

    virtual QList<RunningApplication> runningApplications() const = 0;
    // The polite quit request: the application may save documents, ask the
    // user or refuse. Does not wait. False when the request could not be
    // sent, for example because the application has already gone.
    virtual bool terminate(const RunningApplication& application) = 0;
};

} // namespace platform
