#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace platform {

// A program that listens on a TCP port of this machine.
struct PortHolder
{
    qint64 processIdentifier = 0; // 0 when the process is not ours to see
    QString name;                 // its command name, when seen

    friend bool operator==(const PortHolder&, const PortHolder&) = default;
};

// Who holds a local TCP port: to say why a daemon that could not take its
// port gave up. On Linux, /proc/net/tcp{,6} and the processes' descriptors
// (lsof would serve on macOS).
class PortLookup
{
public:
    virtual ~PortLookup() = default;

    // The holder of a listening socket on `port`, on any local address; none
    // when nothing listens there.
    virtual std::optional<PortHolder> listenerOn(quint16 port) const = 0;
};

} // namespace platform
