#include "core/daemon/LogAppendQueue.h"

#include "core/base/RegularFile.h"
#include "core/base/ThreadName.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <sys/uio.h>

LogAppendQueue::LogAppendQueue(std::size_t boundBytes, Writer writer, FailureHandler onFailure)
    : m_bound(boundBytes)
    , m_writer(std::move(writer))
    , m_onFailure(std::move(onFailure))
    , m_thread([this] { run(); })
{}

LogAppendQueue::~LogAppendQueue()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void LogAppendQueue::append(const QString& path, QByteArray bytes, bool moreComing)
{
    const auto size = std::size_t(bytes.size());
    {
        std::unique_lock lock(m_mutex);
        const auto fits = [&] { return m_queuedBytes == 0 || m_queuedBytes + size <= m_bound; };
        if (!fits()) {
            m_changed.notify_all(); // the writer may be asleep on a deferred burst
            m_changed.wait(lock, fits);
        }
    }
    enqueue({path, std::move(bytes)}, !moreComing);
}

void LogAppendQueue::appendWithoutWaiting(const QString& path, QByteArray bytes)
{
    enqueue({path, std::move(bytes)}, true);
}

void LogAppendQueue::enqueue(Chunk chunk, bool wakeWriter)
{
    {
        std::lock_guard lock(m_mutex);
        m_queuedBytes += std::size_t(chunk.bytes.size());
        m_pending.push_back(std::move(chunk));
        wakeWriter = wakeWriter || m_queuedBytes >= batchBytes;
    }
    if (wakeWriter)
        m_changed.notify_all();
}

void LogAppendQueue::drain()
{
    m_changed.notify_all();
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queuedBytes == 0; });
}

std::size_t LogAppendQueue::queuedBytes() const
{
    std::lock_guard lock(m_mutex);
    return m_queuedBytes;
}

void LogAppendQueue::run()
{
    setCurrentThreadName("com.zentrope.daemon.log");
    // A log that reaches the file-size limit must fail its write (EFBIG), not
    // end the whole application; only this thread writes the logs.
    sigset_t fileTooLarge;
    sigemptyset(&fileTooLarge);
    sigaddset(&fileTooLarge, SIGXFSZ);
    ::pthread_sigmask(SIG_BLOCK, &fileTooLarge, nullptr);
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_pending.empty(); });
        if (m_pending.empty())
            return;
        std::deque<Chunk> batch;
        batch.swap(m_pending);
        lock.unlock();
        writeBatch(batch);
        lock.lock();
    }
}

void LogAppendQueue::writeBatch(std::deque<Chunk>& batch)
{
    while (!batch.empty()) {
        // Consecutive chunks for one file go out in one append, in order.
        const QString path = batch.front().path;
        std::vector<QByteArray> chunks;
        std::size_t size = 0;
        while (!batch.empty() && batch.front().path == path) {
            size += std::size_t(batch.front().bytes.size());
            chunks.push_back(std::move(batch.front().bytes));
            batch.pop_front();
        }
        const Result<Done> written = m_writer(path, chunks);
        if (written)
            m_failing.erase(path);
        else if (m_failing.insert(path).second && m_onFailure)
            m_onFailure(path, written.error());
        {
            std::lock_guard lock(m_mutex);
            m_queuedBytes -= size;
        }
        m_changed.notify_all();
    }
}

namespace {

// Writes every byte of `chunks` to `fd`, retrying short writes.
Result<Done> writeAll(int fd, const std::vector<QByteArray>& chunks)
{
    std::vector<iovec> pieces;
    for (const QByteArray& chunk : chunks) {
        if (!chunk.isEmpty())
            pieces.push_back({const_cast<char*>(chunk.constData()), std::size_t(chunk.size())});
    }
    std::size_t next = 0;
    while (next < pieces.size()) {
        const int count = int(qMin<std::size_t>(pieces.size() - next, IOV_MAX));
        ssize_t written = ::writev(fd, &pieces[next], count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return systemError(errno);
        if (written == 0)
            return systemError(EIO);
        while (next < pieces.size() && std::size_t(written) >= pieces[next].iov_len)
            written -= ssize_t(pieces[next++].iov_len);
        if (next < pieces.size()) {
            pieces[next].iov_base = static_cast<char*>(pieces[next].iov_base) + written;
            pieces[next].iov_len -= std::size_t(written);
        }
    }
    return Done{};
}

} // namespace

Result<Done> LogAppendQueue::appendNow(const QString& path, const std::vector<QByteArray>& chunks)
{
    // A link at the path is refused rather than followed: we would create or
    // write its target, wherever it leads. So is a FIFO, which could stall us.
    const auto file = RegularFile::openForAppending(path);
    if (!file)
        return file.error();
    return writeAll(file.value().descriptor(), chunks);
}

Result<Done> LogAppendQueue::ensureFile(const QString& path)
{
    const auto file = RegularFile::openForAppending(path);
    if (!file)
        return file.error();
    return Done{};
}
