#pragma once

#include "core/base/Result.h"

#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

// Appends byte chunks to files, one at a time and in order, on one serial
// worker thread ("com.zentrope.daemon.log"). Every append opens, seeks to the
// end, writes and closes, so a log file that was moved or deleted is recreated
// by the next chunk. Chunks for the same file that are waiting together are
// written with one open, which keeps up with a fast daemon. Only a regular
// file is written, never through a link at its path (see RegularFile).
//
// The bytes waiting for the worker are bounded: a producer that outruns the
// disk waits in append() instead of growing memory, which lets a pipe reader
// push back on the child that writes.
class LogAppendQueue
{
public:
    static constexpr std::size_t defaultBound = 4 * 1024 * 1024;
    static constexpr std::size_t batchBytes = 1024 * 1024;

    // Appends the chunks, in order, to the file at `path`.
    using Writer =
        std::function<Result<Done>(const QString& path, const std::vector<QByteArray>& chunks)>;
    // Told on the worker's thread when appends to `path` start failing: once,
    // and again only after an append to it has succeeded.
    using FailureHandler = std::function<void(const QString& path, const Error& error)>;

    // `writer` performs one append on the worker; tests slow it down.
    explicit LogAppendQueue(std::size_t boundBytes = defaultBound, Writer writer = appendNow,
                            FailureHandler onFailure = {});
    // Writes what is queued, then stops the worker.
    ~LogAppendQueue();

    LogAppendQueue(const LogAppendQueue&) = delete;
    LogAppendQueue& operator=(const LogAppendQueue&) = delete;

    // Queues `bytes`; blocks while the queue holds more than the bound
    // (a chunk larger than the bound still goes through once the queue is empty).
    // With `moreComing`, the writer is left asleep until the burst is over or
    // a batch's worth has gathered; the burst's last chunk must come without it.
    void append(const QString& path, QByteArray bytes, bool moreComing = false);
    // Queues without waiting: for the supervisor's own short messages,
    // written from the main thread, which must never block on the disk.
    void appendWithoutWaiting(const QString& path, QByteArray bytes);
    // Blocks until everything queued so far is written.
    void drain();
    std::size_t queuedBytes() const;

    // The write itself: open, append, close. Failures drop the bytes.
    static Result<Done> appendNow(const QString& path, const std::vector<QByteArray>& chunks);
    // Creates an empty file unless one exists; an existing file is untouched.
    static Result<Done> ensureFile(const QString& path);

private:
    struct Chunk
    {
        QString path;
        QByteArray bytes;
    };

    void enqueue(Chunk chunk, bool wakeWriter);
    void run();
    void writeBatch(std::deque<Chunk>& batch);

    const std::size_t m_bound;
    const Writer m_writer;
    const FailureHandler m_onFailure;
    std::set<QString> m_failing; // the worker's alone: paths whose last append failed
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Chunk> m_pending;
    std::size_t m_queuedBytes = 0; // pending plus being written
    bool m_stopping = false;
    std::thread m_thread;
};
