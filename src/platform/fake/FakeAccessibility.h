#pragma once

#include "platform/Accessibility.h"

#include <QStringList>

namespace platform {

// Not trusted unless a test says so; records the prompts and the settings
// shown, in order ("trust prompt", "settings").
class FakeAccessibility final : public Accessibility
{
public:
    bool isProcessTrusted() override { return trusted; }
    void requestTrust() override { requests.append(QStringLiteral("trust prompt")); }
    void openSettings() override { requests.append(QStringLiteral("settings")); }

    bool trusted = false;
    QStringList requests;
};

} // namespace platform
