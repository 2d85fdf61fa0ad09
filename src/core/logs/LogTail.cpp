#include "core/logs/LogTail.h"

#include "core/base/Utf8StreamDecoder.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Reads up to `count` bytes at `offset`; fewer when the file is shorter by now.
Result<QByteArray> readAt(int descriptor, qint64 offset, qint64 count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    qint64 got = 0;
    while (got < count) {
        const ssize_t n =
            ::pread(descriptor, bytes.data() + got, std::size_t(count - got), offset + got);
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

} // namespace

Result<LogTail> LogTail::read(const QString& path, qint64 maxBytes)
{
    // Without O_NONBLOCK, opening a FIFO would wait for a writer.
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0)
        return systemError(errno);
    struct stat status = {};
    const int statError = ::fstat(descriptor, &status) != 0 ? errno : 0;
    if (statError != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return statError != 0 ? systemError(statError)
                              : Error{QStringLiteral("LogTail"), 1,
                                      QStringLiteral("%1 is not a regular file").arg(path)};
    }
    const qint64 start = std::max<qint64>(0, status.st_size - maxBytes);
    auto bytes = readAt(descriptor, start, status.st_size - start);
    ::close(descriptor);
    if (!bytes)
        return bytes.error();

    QByteArrayView view = bytes.value();
    const qsizetype skipped = start > 0 ? Utf8StreamDecoder::orphanedContinuationBytes(view) : 0;
    view = view.sliced(skipped);
    const qsizetype incomplete = Utf8StreamDecoder::incompleteTailLength(view);
    Utf8StreamDecoder decoder;
    LogTail tail;
    tail.text = decoder.decode(view.first(view.size() - incomplete));
    tail.start = start + skipped;
    tail.end = start + skipped + view.size() - incomplete;
    return tail;
}
