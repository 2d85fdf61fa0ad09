#include "core/process/ChunkPool.h"

#include <atomic>

ChunkPool::ChunkPool(int slots, qsizetype bufferSize)
    : m_slots(std::size_t(slots))
    , m_bufferSize(bufferSize)
{}

QByteArray& ChunkPool::take(qsizetype size)
{
    for (QByteArray& slot : m_slots) {
        if (slot.isNull() || slot.isDetached()) {
            // The writer's reads of this buffer happen before we write again.
            std::atomic_thread_fence(std::memory_order_acquire);
            if (slot.capacity() < m_bufferSize)
                slot.reserve(m_bufferSize);
            slot.resize(size);
            return slot;
        }
    }
    m_overflow = QByteArray(size, Qt::Uninitialized);
    return m_overflow;
}
