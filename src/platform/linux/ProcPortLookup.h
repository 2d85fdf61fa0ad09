#pragma once

#include "platform/PortLookup.h"

namespace platform {

// Finds the listening socket's inode in /proc/net/tcp and tcp6, then the
// process holding a descriptor on it. Other users' descriptors are hidden
// from us (unless we are root): their holder is known only to exist.
class ProcPortLookup final : public PortLookup
{
public:
    std::optional<PortHolder> listenerOn(quint16 port) const override;
};

} // namespace platform
