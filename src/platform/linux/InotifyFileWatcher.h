#pragma once

#include "platform/FileWatcher.h"

namespace platform {

// inotify, one instance per watch so that each watch has a descriptor of its own.
// A file deleted while we hold it open reports IN_ATTRIB with a link count of
// 0, not IN_DELETE_SELF (that only comes once the inode is freed), so the
// link count is checked on every attribute change.
class InotifyFileWatcher final : public FileWatcher
{
public:
    Result<std::unique_ptr<FileWatch>> watch(int fileDescriptor) override;
};

} // namespace platform
