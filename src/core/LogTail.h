#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The end of a log file, small enough to attach to a support request. Only
// the end is read, however large the file has grown.
struct LogTail
{
    static constexpr qint64 maximumBytes = 1024 * 1024;

    QByteArray bytes;
    bool cut = false; // the file held more before `bytes`

    // The last `limit` bytes of the regular file at `path`; none when it
    // cannot be opened or is no regular file (a FIFO would block the reader).
    static std::optional<LogTail> read(const QString& path, qint64 limit = maximumBytes);

    // The bytes as UTF-8 text. A character that the cut split loses its
    // remaining bytes; any other invalid byte becomes U+FFFD.
    QString text() const;
};
