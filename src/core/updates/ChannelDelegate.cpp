#include "core/updates/ChannelDelegate.h"

ChannelDelegate::ChannelDelegate(UserDefaults defaults)
    : m_defaults(std::move(defaults))
{}

QSet<QString> ChannelDelegate::allowedChannels() const
{
    // zentropectl may have changed the setting in another process: reload first.
    m_defaults.sync();
    if (m_defaults.value(DefaultsKeys::betaChannelEnabled))
        return {QStringLiteral("beta")};
    return {};
}
