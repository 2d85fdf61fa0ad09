#pragma once

#include "platform/Services.h"
#include "platform/fake/FakeAccessibility.h"
#include "platform/fake/FakeCertificateTrust.h"
#include "platform/fake/FakeLoginItem.h"
#include "platform/fake/FakeSystemLog.h"

namespace platform {

// A complete set of fakes; tests keep the typed pointers to inspect them.
struct FakeServices
{
    std::shared_ptr<FakeSystemLog> systemLog = std::make_shared<FakeSystemLog>();
    std::shared_ptr<FakeCertificateTrust> certificateTrust =
        std::make_shared<FakeCertificateTrust>();
    std::shared_ptr<FakeAccessibility> accessibility = std::make_shared<FakeAccessibility>();
    std::shared_ptr<FakeLoginItem> loginItem = std::make_shared<FakeLoginItem>();

    Services services() const
    {
        return Services{systemLog, certificateTrust, accessibility, loginItem};
    }
};

} // namespace platform
