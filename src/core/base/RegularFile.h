#pragma once

#include "core/base/Result.h"

#include <QByteArray>
#include <QString>

// A regular file opened where someone else may have put something else: a
// FIFO (whose open would wait for a writer), a device, a folder, or a link to
// a file that is not ours to read or write. Opening never blocks, the
// descriptor is never inherited by a child, and anything but a regular file
// is refused once it is open, so the check holds for what is really read.
//
// Errors are the system's (domain "POSIX", the errno as code), except a
// refused kind of file (domain "RegularFile", code notRegular) and a file
// over the size a reader accepts (code tooLarge); their descriptions read
// like the system's ("Is a FIFO, not a regular file").
class RegularFile
{
public:
    enum class FinalLink
    {
        follow,
        refuse // a link at the path itself is refused; folders above it may be links
    };
    enum Code
    {
        notRegular = 1,
        tooLarge = 2
    };

    static Result<RegularFile> openForReading(const QString& path, FinalLink link);
    // Creates the file for reading; fails with EEXIST when anything (a
    // dangling link too) is at the path already.
    static Result<RegularFile> createForReading(const QString& path);
    // For appending, created (mode 0644, less the umask) when missing. A link
    // at the path is refused: neither it nor its target is written.
    static Result<RegularFile> openForAppending(const QString& path);

    // The whole file, unless it holds more than `maxBytes` (however large it
    // says it is: some files report no size).
    static Result<QByteArray> readAll(const QString& path, qint64 maxBytes, FinalLink link);

    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&& other) noexcept;
    ~RegularFile();

    int descriptor() const { return m_descriptor; }
    Result<qint64> size() const;
    // Up to `count` bytes at `offset`; fewer where the file ends. The file
    // offset stays where it was.
    Result<QByteArray> readAt(qint64 offset, qint64 count) const;
    // Up to `count` bytes from the file offset, which moves past them.
    Result<QByteArray> read(qint64 count);
    Result<Done> seek(qint64 offset);

private:
    explicit RegularFile(int descriptor)
        : m_descriptor(descriptor)
    {}
    static Result<RegularFile> open(const QByteArray& path, int flags, FinalLink link);

    int m_descriptor = -1;
};
