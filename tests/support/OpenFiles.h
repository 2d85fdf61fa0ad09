#pragma once

#include <QString>
#include <chrono>
#include <optional>

// What this process holds open, read from /proc/self: for leak checks and for
// knowing how far a reader has read a file.
namespace OpenFiles {

int count();
// Descriptors open on `path` (also once the file at it was deleted).
int openOn(const QString& path);
int inotifyInstances();
// The read position of the descriptor open on `path`, if exactly one is.
std::optional<qint64> positionIn(const QString& path);
// Polls positionIn() without processing events (so nothing read gets
// delivered meanwhile) until it reaches `position`.
bool waitForPosition(const QString& path, qint64 position,
                     std::chrono::milliseconds timeout = std::chrono::seconds(10));

} // namespace OpenFiles
