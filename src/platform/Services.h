#pragma once

#include "core/base/Bundle.h"
#include "platform/Accessibility.h"
#include "platform/CertificateTrust.h"
#include "platform/FileWatcher.h"
#include "platform/LoginItem.h"
#include "platform/Notifications.h"
#include "platform/PortLookup.h"
#include "platform/SystemFacts.h"
#include "platform/SystemLog.h"
#include "platform/UpdateFramework.h"
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
    std::shared_ptr<UpdateFramework> updateFramework;
    std::shared_ptr<FileWatcher> fileWatcher;
    std::shared_ptr<CertificateTrust> certificateTrust;
    std::shared_ptr<Accessibility> accessibility;
    std::shared_ptr<LoginItem> loginItem;
    std::shared_ptr<SystemFacts> systemFacts;
    std::shared_ptr<Notifications> notifications;
    std::shared_ptr<PortLookup> portLookup;
};

// The backends of the operating system we were built for; the login item is
// `bundle`'s (the application's own).
Services nativeServices(const Bundle& bundle);

} // namespace platform
