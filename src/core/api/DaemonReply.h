#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

// What one request to the daemon brought back: the body and the response's
// metadata, whatever the HTTP status. The channel never looks at either.
struct DaemonReply
{
    using Header = QPair<QByteArray, QByteArray>;

    int statusCode = 0;
    QList<Header> headers;
    QByteArray body;
};
