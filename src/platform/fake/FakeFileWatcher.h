#pragma once

#include "platform/FileWatcher.h"

#include <memory>
#include <mutex>
#include <vector>

namespace platform {

// Watches that report only what a test posts, so that a test decides exactly
// which changes land in one batch.
class FakeFileWatcher final : public FileWatcher
{
public:
    FakeFileWatcher();

    Result<std::unique_ptr<FileWatch>> watch(int fileDescriptor) override;

    // Hands `changes` to every live watch as one batch-to-be.
    void post(FileWatch::Changes changes);
    // While set, watch() fails as the system would when out of watches.
    void setRefusing(bool refusing);

    struct Shared; // the watches' registry, shared with them

private:
    std::shared_ptr<Shared> m_shared;
};

} // namespace platform
