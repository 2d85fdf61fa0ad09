#pragma once

#include "core/SerialQueue.h"

#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>

// Appends byte chunks to files, one at a time and in order, on one serial
// worker. Every append opens, seeks to the end, writes and closes, so a log
// file that was moved or deleted is recreated by the next chunk.
//
// The bytes waiting for the worker are bounded: a producer that outruns the
// disk waits in append() instead of growing memory, which lets a pipe reader
// push back on the child that writes.
class LogAppendQueue
{
public:
    static constexpr std::size_t defaultBound = 4 * 1024 * 1024;

    using Writer = std::function<void(const QString& path, const QByteArray& bytes)>;

    // `writer` performs one append on the worker; tests slow it down.
    explicit LogAppendQueue(std::size_t boundBytes = defaultBound, Writer writer = appendNow);

    // Queues `bytes`; blocks while the queue holds more than the bound
    // (a chunk larger than the bound still goes through once the queue is empty).
    void append(const QString& path, QByteArray bytes);
    // Queues without waiting: for the supervisor's own short messages,
    // written from the main thread, which must never block on the disk.
    void appendWithoutWaiting(const QString& path, QByteArray bytes);
    // Blocks until everything queued so far is written.
    void drain() { m_queue.drain(); }
    std::size_t queuedBytes() const;

    // The write itself, also used directly where no queue is involved.
    static void appendNow(const QString& path, const QByteArray& bytes);
    // Creates an empty file unless one exists; an existing file is untouched.
    static void ensureFile(const QString& path);

private:
    void enqueue(const QString& path, QByteArray bytes);

    const std::size_t m_bound;
    const Writer m_writer;
    mutable std::mutex m_mutex;
    std::condition_variable m_spaceFreed;
    std::size_t m_queuedBytes = 0;
    SerialQueue m_queue; // last: its thread must stop before the members above go
};
