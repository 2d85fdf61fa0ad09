#include "core/logs/FollowedFile.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Opened
{
    int descriptor = -1;
    bool created = false;
};

Opened openOrCreate(const QByteArray& path)
{
    // Creating exclusively tells a file we made from one that was there, and
    // never truncates one that a writer creates at the same moment. The loop
    // covers a file that vanishes or appears between the two calls.
    for (int attempt = 0; attempt < 3; ++attempt) {
        int descriptor = ::open(path.constData(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (descriptor >= 0)
            return {descriptor, true};
        if (errno != EEXIST)
            return {};
        descriptor = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (descriptor >= 0 || errno != ENOENT)
            return {descriptor, false};
    }
    return {};
}

} // namespace

Result<std::unique_ptr<FollowedFile>> FollowedFile::open(const QString& path,
                                                         platform::FileWatcher& watcher,
                                                         std::optional<qint64> position)
{
    const Opened opened = openOrCreate(QFile::encodeName(path));
    if (opened.descriptor < 0)
        return systemError(errno);
    qint64 start = 0;
    if (!opened.created)
        start = position ? ::lseek(opened.descriptor, *position, SEEK_SET)
                         : ::lseek(opened.descriptor, 0, SEEK_END);
    std::unique_ptr<FollowedFile> file(new FollowedFile(opened.descriptor, start < 0 ? 0 : start));
    auto watch = watcher.watch(opened.descriptor);
    if (!watch)
        return watch.error(); // `file` closes the descriptor
    file->m_watch = std::move(watch).value();
    return file;
}

FollowedFile::FollowedFile(int descriptor, qint64 position)
    : m_descriptor(descriptor)
    , m_position(position)
{}

FollowedFile::~FollowedFile()
{
    m_watch.reset();
    ::close(m_descriptor);
}

QByteArray FollowedFile::readAppended(qint64 maxBytes)
{
    struct stat status = {};
    if (::fstat(m_descriptor, &status) != 0 || status.st_size <= m_position)
        return {};
    const qint64 wanted = std::min<qint64>(status.st_size - m_position, maxBytes);
    QByteArray bytes(wanted, Qt::Uninitialized);
    qint64 got = 0;
    while (got < wanted) {
        const ssize_t count = ::read(m_descriptor, bytes.data() + got, std::size_t(wanted - got));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        got += count;
    }
    bytes.truncate(got);
    m_position += got;
    return bytes;
}
