#pragma once

#include "platform/Accessibility.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

// Linux has no Accessibility permission: every process may send keystrokes,
// so the query answers true. The settings shown are the desktop's own
// accessibility settings, when the desktop is one we know.
class LinuxAccessibility final : public Accessibility
{
public:
    bool isProcessTrusted() override { return true; }
    void requestTrust() override {} // nothing to ask for
    void openSettings() override;

    // The installed program and its arguments that show the accessibility
    // settings of the first desktop we know in `currentDesktops`
    // (XDG_CURRENT_DESKTOP: names separated by colons).
    static std::optional<QStringList> settingsCommand(const QString& currentDesktops);
};

} // namespace platform
