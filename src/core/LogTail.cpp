#include "core/LogTail.h"

#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int maxContinuationBytes = 3; // a UTF-8 character has at most four bytes

bool isContinuationByte(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

} // namespace

std::optional<LogTail> LogTail::read(const QString& path, qint64 limit)
{
    // Without O_NONBLOCK, opening a FIFO would wait for a writer.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    struct stat status
    {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    LogTail tail;
    const qint64 size = status.st_size;
    if (size > limit) {
        tail.cut = file.seek(size - limit);
        if (!tail.cut)
            return std::nullopt;
    }
    // A file that grows meanwhile gives no more than `limit` bytes either.
    tail.bytes = file.read(limit);
    return tail;
}

QString LogTail::text() const
{
    qsizetype start = 0;
    if (cut) {
        while (start < maxContinuationBytes && start < bytes.size() &&
               isContinuationByte(bytes.at(start)))
            ++start;
    }
    return QString::fromUtf8(QByteArrayView(bytes).sliced(start));
}
