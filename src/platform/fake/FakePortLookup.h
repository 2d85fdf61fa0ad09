#pragma once

#include "platform/PortLookup.h"

#include <QHash>

namespace platform {

// Answers the holders a test sets; every port is free at first.
class FakePortLookup final : public PortLookup
{
public:
    QHash<quint16, PortHolder> holders;

    std::optional<PortHolder> listenerOn(quint16 port) const override
    {
        const auto found = holders.constFind(port);
        return found == holders.constEnd() ? std::nullopt : std::optional(*found);
    }
};

} // namespace platform
