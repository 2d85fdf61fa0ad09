#include "platform/fake/FakeFileWatcher.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <sys/eventfd.h>
#include <unistd.h>

namespace platform {

namespace {

class FakeFileWatch;

} // namespace

struct FakeFileWatcher::Shared
{
    mutable std::mutex mutex;
    std::vector<FakeFileWatch*> watches;
    bool refusing = false;
};

namespace {

class FakeFileWatch final : public FileWatch
{
public:
    explicit FakeFileWatch(std::shared_ptr<FakeFileWatcher::Shared> shared)
        : m_shared(std::move(shared))
        , m_event(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->watches.push_back(this);
    }

    ~FakeFileWatch() override
    {
        {
            std::lock_guard lock(m_shared->mutex);
            std::erase(m_shared->watches, this);
        }
        ::close(m_event);
    }

    FakeFileWatch(const FakeFileWatch&) = delete;
    FakeFileWatch& operator=(const FakeFileWatch&) = delete;

    int descriptor() const override { return m_event; }

    Changes takeChanges() override
    {
        std::lock_guard lock(m_shared->mutex);
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t ignored = ::read(m_event, &count, sizeof count);
        return std::exchange(m_pending, {});
    }

    // Called with the registry's mutex held.
    void add(Changes changes)
    {
        m_pending |= changes;
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t ignored = ::write(m_event, &one, sizeof one);
    }

private:
    std::shared_ptr<FakeFileWatcher::Shared> m_shared;
    const int m_event;
    Changes m_pending;
};

} // namespace

FakeFileWatcher::FakeFileWatcher()
    : m_shared(std::make_shared<Shared>())
{}

Result<std::unique_ptr<FileWatch>> FakeFileWatcher::watch(int /*fileDescriptor*/)
{
    {
        std::lock_guard lock(m_shared->mutex);
        if (m_shared->refusing)
            return systemError(ENOSPC);
    }
    return std::unique_ptr<FileWatch>(std::make_unique<FakeFileWatch>(m_shared));
}

void FakeFileWatcher::post(FileWatch::Changes changes)
{
    std::lock_guard lock(m_shared->mutex);
    for (FakeFileWatch* watch : m_shared->watches)
        watch->add(changes);
}

void FakeFileWatcher::setRefusing(bool refusing)
{
    std::lock_guard lock(m_shared->mutex);
    m_shared->refusing = refusing;
}

} // namespace platform
