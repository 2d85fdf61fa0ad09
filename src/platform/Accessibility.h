#pragma once

namespace platform {

// The system's Accessibility permission for this process, which the add-in
// needs to send keystrokes to other applications.
class Accessibility
{
public:
    virtual ~Accessibility() = default;
    // Asks without ever showing the system's prompt.
    virtual bool isProcessTrusted() = 0;
    // Asks with the system's own prompt, which also lists the application in
    // the permission's settings so the user can switch it on there. What the
    // system answers at that moment is not needed.
    virtual void requestTrust() = 0;
    // Shows the settings page where the permission is granted, if the system
    // has one; does nothing otherwise.
    virtual void openSettings() = 0;
};

} // namespace platform
