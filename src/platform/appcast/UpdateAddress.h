#pragma once

#include <QUrl>

// Where the updater may fetch from or send the user to: what it offers must
// come from the publisher, so only HTTPS, or plain HTTP to this machine (a
// feed served by a test or a developer). Never javascript:, file: or the like.
namespace UpdateAddress {

bool isTrusted(const QUrl& url);

} // namespace UpdateAddress
