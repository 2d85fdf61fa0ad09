#include "core/LogAppendQueue.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

LogAppendQueue::LogAppendQueue(std::size_t boundBytes, Writer writer)
    : m_bound(boundBytes)
    , m_writer(std::move(writer))
    , m_queue("com.zentrope.daemon.log")
{}

void LogAppendQueue::append(const QString& path, QByteArray bytes)
{
    {
        std::unique_lock lock(m_mutex);
        m_spaceFreed.wait(lock, [&] {
            return m_queuedBytes == 0 || m_queuedBytes + std::size_t(bytes.size()) <= m_bound;
        });
        m_queuedBytes += std::size_t(bytes.size());
    }
    enqueue(path, std::move(bytes));
}

void LogAppendQueue::appendWithoutWaiting(const QString& path, QByteArray bytes)
{
    {
        std::lock_guard lock(m_mutex);
        m_queuedBytes += std::size_t(bytes.size());
    }
    enqueue(path, std::move(bytes));
}

std::size_t LogAppendQueue::queuedBytes() const
{
    std::lock_guard lock(m_mutex);
    return m_queuedBytes;
}

void LogAppendQueue::enqueue(const QString& path, QByteArray bytes)
{
    m_queue.post([this, path, bytes = std::move(bytes)] {
        m_writer(path, bytes);
        {
            std::lock_guard lock(m_mutex);
            m_queuedBytes -= std::size_t(bytes.size());
        }
        m_spaceFreed.notify_all();
    });
}

void LogAppendQueue::appendNow(const QString& path, const QByteArray& bytes)
{
    // Failures drop the chunk silently: the daemon keeps running either way,
    // and there is nowhere better to report a log that cannot be written.
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    const char* data = bytes.constData();
    auto remaining = std::size_t(bytes.size());
    while (remaining > 0) {
        const ssize_t written = ::write(fd, data, remaining);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        data += written;
        remaining -= std::size_t(written);
    }
    ::close(fd);
}

void LogAppendQueue::ensureFile(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd >= 0)
        ::close(fd);
}
