#pragma once

#include "core/base/Result.h"

#include <QFlags>
#include <memory>

namespace platform {

// A watch on one open file: appends, renames and deletion of that very file
// (not of whatever later takes its path). Changes merge until they are taken.
class FileWatch
{
public:
    enum class Change
    {
        written = 0x1, // appended to, or otherwise modified
        renamed = 0x2, // moved away from its path
        deleted = 0x4  // its last link is gone (it lives on while we hold it open)
    };
    Q_DECLARE_FLAGS(Changes, Change)

    virtual ~FileWatch() = default;

    // Becomes readable while changes are waiting: for a QSocketNotifier.
    virtual int descriptor() const = 0;
    // Takes every waiting change at once, so one batch is handled as one.
    virtual Changes takeChanges() = 0;
};

// Creates watches (inotify on Linux; kqueue would serve on macOS).
class FileWatcher
{
public:
    virtual ~FileWatcher() = default;

    // Watches the file open as `fileDescriptor`, which must stay open while
    // the watch lives. Any thread may call it; one thread uses each watch.
    virtual Result<std::unique_ptr<FileWatch>> watch(int fileDescriptor) = 0;
};

} // namespace platform

Q_DECLARE_OPERATORS_FOR_FLAGS(platform::FileWatch::Changes)
