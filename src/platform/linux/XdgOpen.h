#pragma once

#include "core/base/Result.h"

#include <QUrl>

namespace platform {

// The desktop's default application for an address, reached through
// xdg-open (which also hands mailto: to the mail client).
class XdgOpen
{
public:
    // Starts xdg-open for `url` and returns without waiting for it.
    static Result<Done> open(const QUrl& url);
};

} // namespace platform
