#include "platform/appcast/UpdateAddress.h"

#include <QHostAddress>

namespace UpdateAddress {

bool isTrusted(const QUrl& url)
{
    if (!url.isValid() || url.isRelative() || url.host().isEmpty())
        return false;
    if (url.scheme() == u"https")
        return true;
    const bool loopback = url.host() == u"localhost" || QHostAddress(url.host()).isLoopback();
    return url.scheme() == u"http" && loopback;
}

} // namespace UpdateAddress
