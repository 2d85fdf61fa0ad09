#pragma once

#include <QByteArray>
#include <vector>

// Recycles the buffers that carry a child's output to the log writer. Fresh
// memory for every chunk costs a page fault per page on first touch, which
// dominates copying at pipe speed; a buffer comes back to the pool as soon as
// the writer drops its copy. Used by one thread.
class ChunkPool
{
public:
    ChunkPool(int slots, qsizetype bufferSize);

    // A buffer of `size` bytes (at most the buffer size) that nobody else
    // holds: fill it, truncate it, then hand out copies of it.
    QByteArray& take(qsizetype size);

private:
    std::vector<QByteArray> m_slots;
    QByteArray m_overflow; // when every slot is still in flight
    qsizetype m_bufferSize;
};
