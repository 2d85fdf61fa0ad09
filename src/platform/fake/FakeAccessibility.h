#pragma once

#include "platform/Accessibility.h"

namespace platform {

// Not trusted unless a test says so; counts the requests to show the settings.
class FakeAccessibility final : public Accessibility
{
public:
    bool isProcessTrusted() override { return trusted; }
    void openSettings() override { ++settingsOpened; }

    bool trusted = false;
    int settingsOpened = 0;
};

} // namespace platform
