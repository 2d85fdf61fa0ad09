#pragma once

#include <QSet>
#include <QString>

namespace platform {

// The application's say in what the update framework offers. The framework
// asks at every check, on a thread of its choosing.
class UpdaterDelegate
{
public:
    virtual ~UpdaterDelegate() = default;
    // Channels whose releases may be offered besides the default channel's.
    virtual QSet<QString> allowedChannels() const = 0;
};

} // namespace platform
