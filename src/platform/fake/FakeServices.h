#pragma once

#include "platform/Services.h"
#include "platform/fake/FakeSystemFacts.h"
#include "platform/fake/FakeSystemLog.h"
#include "platform/fake/FakeWorkspace.h"

namespace platform {

// A complete set of fakes; tests keep the typed pointers to inspect them.
struct FakeServices
{
    std::shared_ptr<FakeSystemLog> systemLog = std::make_shared<FakeSystemLog>();
    std::shared_ptr<FakeWorkspace> workspace = std::make_shared<FakeWorkspace>();
    std::shared_ptr<FakeSystemFacts> systemFacts = std::make_shared<FakeSystemFacts>();

    Services services() const { return Services{systemLog, workspace, systemFacts}; }
};

} // namespace platform
