#pragma once

#include "core/api/DaemonChannel.h"

#include <QByteArray>
#include <QFuture>
#include <chrono>
#include <optional>

// A look at the daemon's status answer for a support request, apart from
// the status tab's polling: HTTPS with a short time-out, then plain HTTP
// with a long one whatever went wrong over HTTPS, through `channel`.
namespace DaemonStatusProbe {

// How long each attempt may take, whole (the body's limit is the channel's).
struct Deadlines
{
    std::chrono::milliseconds https{3000};
    std::chrono::milliseconds http{60000};
};

// The body of the first answer as received, whatever its HTTP status; none
// when neither attempt brought one. Finishes on the channel's thread.
QFuture<std::optional<QByteArray>> fetch(DaemonChannel& channel, Deadlines deadlines = {});

} // namespace DaemonStatusProbe
