#pragma once

#include "platform/SystemFacts.h"
#include "platform/SystemLog.h"
#include "platform/Workspace.h"

#include <memory>

namespace platform {

// The platform services the application uses, each behind its own seam.
// The executables get the native set from nativeServices(); tests build
// theirs from the fakes. Core code takes the one service it needs as a
// parameter rather than reaching for a global.
struct Services
{
    std::shared_ptr<SystemLog> systemLog;
    std::shared_ptr<Workspace> workspace;
    std::shared_ptr<SystemFacts> systemFacts;
};

// The backends of the operating system we were built for.
Services nativeServices();

} // namespace platform
