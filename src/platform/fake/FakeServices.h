#pragma once

#include "platform/Services.h"
#include "platform/fake/FakeFileWatcher.h"
#include "platform/fake/FakeSystemLog.h"
#include "platform/fake/FakeUpdateFramework.h"
#include "platform/fake/FakeWorkspace.h"

namespace platform {

// A complete set of fakes; tests keep the typed pointers to inspect them.
struct FakeServices
{
    std::shared_ptr<FakeSystemLog> systemLog = std::make_shared<FakeSystemLog>();
    std::shared_ptr<FakeWorkspace> workspace = std::make_shared<FakeWorkspace>();
    std::shared_ptr<FakeUpdateFramework> updateFramework = std::make_shared<FakeUpdateFramework>();
    std::shared_ptr<FakeFileWatcher> fileWatcher = std::make_shared<FakeFileWatcher>();

    Services services() const
    {
        Services services;
        services.systemLog = systemLog;
        services.workspace = workspace;
        services.updateFramework = updateFramework;
        services.fileWatcher = fileWatcher;
        return services;
    }
};

} // namespace platform
