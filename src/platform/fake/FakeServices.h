#pragma once

#include "platform/Services.h"
#include "platform/fake/FakeFileWatcher.h"
#include "platform/fake/FakeSystemLog.h"

namespace platform {

// A complete set of fakes; tests keep the typed pointers to inspect them.
struct FakeServices
{
    std::shared_ptr<FakeSystemLog> systemLog = std::make_shared<FakeSystemLog>();
    std::shared_ptr<FakeFileWatcher> fileWatcher = std::make_shared<FakeFileWatcher>();

    Services services() const { return Services{systemLog, fileWatcher}; }
};

} // namespace platform
