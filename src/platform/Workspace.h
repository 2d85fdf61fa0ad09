#pragma once

#include "core/base/Result.h"

#include <QFuture>
#include <QList>
#include <QString>
#include <QUrl>
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
// whose executable lies in an X.app/Contents/MacOS folder), and the desktop's
// file manager and default applications.
class Workspace
{
public:
    virtual ~Workspace() = default;

    virtual QList<RunningApplication> runningApplications() const = 0;
    // The polite quit request: the application may save documents, ask the
    // user or refuse. Does not wait. False when the request could not be
    // sent, for example because the application has already gone.
    virtual bool terminate(const RunningApplication& application) = 0;

    // Shows the file manager with `path` (a file or a folder) selected. The
    // path is not created first. Finishes, on the caller's thread, once the
    // file manager has been asked; an error says why none could be.
    virtual QFuture<Result<Done>> reveal(const QString& path) = 0;
    // Opens `url` (https:, mailto:, file:) with the user's default
    // application for it. Does not wait for that application.
    virtual Result<Done> open(const QUrl& url) = 0;
};

} // namespace platform
