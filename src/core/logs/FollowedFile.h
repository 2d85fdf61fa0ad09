#pragma once

#include "core/base/RegularFile.h"
#include "core/base/Result.h"
#include "platform/FileWatcher.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

// One log file held open for reading, with the watch on it. It remembers how
// far it has been read and reads on from there: never a byte twice, unless
// the file is truncated, which starts it over from the new start.
class FollowedFile
{
public:
    // Opens `path`, creating an empty file when none is there (its folder is
    // not created). Reading goes on from `position` when given, else from the
    // end; a file created here is read from its start, since all it will ever
    // hold was appended after the call. Only a regular file is followed, and
    // not through a link at `path` (see RegularFile); opening never blocks.
    static Result<std::unique_ptr<FollowedFile>>
    open(const QString& path, platform::FileWatcher& watcher, std::optional<qint64> position = {});
    ~FollowedFile();

    FollowedFile(const FollowedFile&) = delete;
    FollowedFile& operator=(const FollowedFile&) = delete;

    int watchDescriptor() const { return m_watch->descriptor(); }
    platform::FileWatch::Changes takeChanges() { return m_watch->takeChanges(); }

    struct Appended
    {
        QByteArray bytes;
        // The file had shrunk below the read position: `bytes` come from its
        // new start, as `tail -F` reads on after a truncation. (One that has
        // grown past the old position again by the time it is read cannot
        // be told from a file that was only appended to.)
        bool truncated = false;
    };
    // The bytes appended since the last read, at most `maxBytes`, in one read.
    Appended readAppended(qint64 maxBytes);

private:
    FollowedFile(RegularFile file, qint64 position);

    RegularFile m_file;
    qint64 m_position;
    std::unique_ptr<platform::FileWatch> m_watch; // released before the file closes
};
