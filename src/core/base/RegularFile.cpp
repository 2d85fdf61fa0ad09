#include "core/base/RegularFile.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("FIFO");
    if (S_ISSOCK(mode))
        return QStringLiteral("socket");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("device");
    return QStringLiteral("special file");
}

Error notRegularError(mode_t mode)
{
    return Error{QStringLiteral("RegularFile"), RegularFile::notRegular,
                 QStringLiteral("Is a %1, not a regular file").arg(kindOf(mode))};
}

// Up to `count` bytes at `*offset`, or from the file offset when none.
Result<QByteArray> readFully(int descriptor, qint64 count, const qint64* offset)
{
    QByteArray bytes(count, Qt::Uninitialized);
    qint64 got = 0;
    while (got < count) {
        const auto wanted = std::size_t(count - got);
        const ssize_t n = offset ? ::pread(descriptor, bytes.data() + got, wanted, *offset + got)
                                 : ::read(descriptor, bytes.data() + got, wanted);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return systemError(errno);
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

Error linkRefused()
{
    return Error{QStringLiteral("POSIX"), ELOOP,
                 QStringLiteral("Is a symbolic link, which is not followed")};
}

} // namespace

Result<RegularFile> RegularFile::open(const QByteArray& path, int flags, FinalLink link)
{
    const bool refuseLink = link == FinalLink::refuse;
    // Something else is refused before it is even opened: opening a device
    // may wake it. What is opened is checked again below, since the entry
    // may be replaced in between.
    struct stat entry = {};
    const int found =
        refuseLink ? ::lstat(path.constData(), &entry) : ::stat(path.constData(), &entry);
    if (found == 0 && !(flags & O_EXCL)) {
        if (S_ISLNK(entry.st_mode))
            return linkRefused();
        if (!S_ISREG(entry.st_mode))
            return notRegularError(entry.st_mode);
    }
    // O_NONBLOCK: opening a FIFO would otherwise wait for its other end.
    flags |= O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    if (refuseLink)
        flags |= O_NOFOLLOW;
    const int descriptor = ::open(path.constData(), flags, 0644);
    if (descriptor < 0)
        return errno == ELOOP && refuseLink ? linkRefused() : systemError(errno);
    RegularFile file(descriptor);
    struct stat status = {};
    if (::fstat(descriptor, &status) != 0)
        return systemError(errno);
    if (!S_ISREG(status.st_mode))
        return notRegularError(status.st_mode);
    return file;
}

Result<RegularFile> RegularFile::openForReading(const QString& path, FinalLink link)
{
    return open(QFile::encodeName(path), O_RDONLY, link);
}

Result<RegularFile> RegularFile::createForReading(const QString& path)
{
    // O_EXCL never follows a link, and fails on a dangling one.
    return open(QFile::encodeName(path), O_RDONLY | O_CREAT | O_EXCL, FinalLink::refuse);
}

Result<RegularFile> RegularFile::openForAppending(const QString& path)
{
    return open(QFile::encodeName(path), O_WRONLY | O_CREAT | O_APPEND, FinalLink::refuse);
}

Result<QByteArray> RegularFile::readAll(const QString& path, qint64 maxBytes, FinalLink link)
{
    auto file = openForReading(path, link);
    if (!file)
        return file.error();
    const Error tooLargeError{QStringLiteral("RegularFile"), tooLarge,
                              QStringLiteral("Is larger than %1 bytes").arg(maxBytes)};
    const auto size = file.value().size();
    if (!size)
        return size.error();
    if (size.value() > maxBytes)
        return tooLargeError;
    // The size is a hint: the file may have grown since, and some report none.
    // One byte more than allowed tells a file over the limit from one at it.
    QByteArray bytes;
    qint64 wanted = std::min(size.value(), maxBytes) + 1;
    for (;;) {
        auto more = file.value().readAt(bytes.size(), wanted - bytes.size());
        if (!more)
            return more.error();
        const bool atEnd = bytes.size() + more.value().size() < wanted;
        bytes += more.value();
        if (bytes.size() > maxBytes)
            return tooLargeError;
        if (atEnd)
            return bytes;
        wanted = std::min(wanted * 2, maxBytes + 1);
    }
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1))
{}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept
{
    if (this != &other) {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        m_descriptor = std::exchange(other.m_descriptor, -1);
    }
    return *this;
}

RegularFile::~RegularFile()
{
    // A failed close changes nothing about what was read; writers sync nothing.
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

Result<qint64> RegularFile::size() const
{
    struct stat status = {};
    if (::fstat(m_descriptor, &status) != 0)
        return systemError(errno);
    return qint64(status.st_size);
}

Result<QByteArray> RegularFile::readAt(qint64 offset, qint64 count) const
{
    return readFully(m_descriptor, count, &offset);
}

Result<QByteArray> RegularFile::read(qint64 count)
{
    return readFully(m_descriptor, count, nullptr);
}

Result<Done> RegularFile::seek(qint64 offset)
{
    if (::lseek(m_descriptor, offset, SEEK_SET) < 0)
        return systemError(errno);
    return Done{};
}
