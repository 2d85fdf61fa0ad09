#pragma once

#include "core/base/Result.h"

#include <QFuture>
#include <QString>

namespace platform {

// Shows a file or folder in the desktop's file manager: selected, through the
// freedesktop FileManager1 D-Bus service; where no file manager offers that,
// by opening the folder that holds it.
class FileManagerReveal
{
public:
    // Finishes on the calling thread, which must run an event loop.
    static QFuture<Result<Done>> reveal(const QString& path);

    static constexpr int callTimeoutMilliseconds = 10000; // covers starting the file manager
};

} // namespace platform
