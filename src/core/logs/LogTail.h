#pragma once

#include "core/base/Result.h"

#include <QString>

// The last bytes of a log file as text, read without touching the rest of
// the file, so the cost is bounded however large the file has grown.
struct LogTail
{
    QString text;
    // Where the text begins in the file: 0 when it holds the file from its start.
    qint64 start = 0;
    // Where the text ends in the file: the next unread byte. A character
    // still being written at the end is left for whoever reads on from here.
    qint64 end = 0;

    // Reads at most the last `maxBytes` bytes of the regular file at `path`
    // (anything else, like a FIFO, is refused without blocking, and so is a
    // link at `path`: see RegularFile). A cut inside a multi-byte character
    // skips that character's remaining bytes; other invalid bytes become U+FFFD.
    static Result<LogTail> read(const QString& path, qint64 maxBytes);
};
