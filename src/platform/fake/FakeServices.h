#pragma once

#include "platform/Services.h"
#include "platform/fake/FakeAccessibility.h"
#include "platform/fake/FakeCertificateTrust.h"
#include "platform/fake/FakeFileWatcher.h"
#include "platform/fake/FakeLoginItem.h"
#include "platform/fake/FakeNotifications.h"
#include "platform/fake/FakePortLookup.h"
#include "platform/fake/FakeSystemFacts.h"
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
    std::shared_ptr<FakeCertificateTrust> certificateTrust =
        std::make_shared<FakeCertificateTrust>();
    std::shared_ptr<FakeAccessibility> accessibility = std::make_shared<FakeAccessibility>();
    std::shared_ptr<FakeLoginItem> loginItem = std::make_shared<FakeLoginItem>();
    std::shared_ptr<FakeSystemFacts> systemFacts = std::make_shared<FakeSystemFacts>();
    std::shared_ptr<FakeNotifications> notifications = std::make_shared<FakeNotifications>();
    std::shared_ptr<FakePortLookup> portLookup = std::make_shared<FakePortLookup>();

    Services services() const
    {
        Services services;
        services.systemLog = systemLog;
        services.workspace = workspace;
        services.updateFramework = updateFramework;
        services.fileWatcher = fileWatcher;
        services.certificateTrust = certificateTrust;
        services.accessibility = accessibility;
        services.loginItem = loginItem;
        services.systemFacts = systemFacts;
        services.notifications = notifications;
        services.portLookup = portLookup;
        return services;
    }
};

} // namespace platform
