#pragma once

#include "core/base/Bundle.h"
#include "platform/LoginItem.h"

namespace platform {

// The login item as an XDG autostart entry, $XDG_CONFIG_HOME/autostart/
// zentrope.desktop (~/.config when unset), that starts the bundle's Zentrope
// executable. A desktop that lets the user turn the entry off marks it with
// Hidden=true or X-GNOME-Autostart-enabled=false: that reads as needing the
// user's approval.
class XdgAutostartLoginItem final : public LoginItem
{
public:
    explicit XdgAutostartLoginItem(Bundle bundle);

    Status status() override;
    // Writes a fresh, enabled entry, also over one the desktop turned off:
    // only the user's own action asks for it.
    Result<Done> registerItem() override;
    // Removes our entry; succeeds when there is none.
    Result<Done> unregisterItem() override;

    static QString entryPath();
    QString executablePath() const;

private:
    bool executableExists() const;
    QByteArray entryContent() const;

    Bundle m_bundle;
};

} // namespace platform
