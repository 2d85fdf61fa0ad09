#pragma once

#include "core/base/UserDefaults.h"
#include "platform/UpdaterDelegate.h"

// Offers beta releases when the user asked for them
// (DefaultsKeys::betaChannelEnabled). The setting is read at every check, so a change takes effect
// at the next one without a restart.
class ChannelDelegate final : public platform::UpdaterDelegate
{
public:
    explicit ChannelDelegate(UserDefaults defaults);

    // {"beta"} when the beta setting is on, otherwise none: the default channel only.
    QSet<QString> allowedChannels() const override;

private:
    mutable UserDefaults m_defaults;
};
