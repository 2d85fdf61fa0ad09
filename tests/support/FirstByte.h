#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <sys/socket.h>
#include <unistd.h>

// Calls `serve(tls)` once a connection's first byte has arrived, peeked at
// without taking it so that TLS still sees it all: `tls` when it starts a
// TLS handshake record. A connection that ends first is closed.
inline void whenFirstByteArrives(QObject* owner, qintptr descriptor,
                                 std::function<void(bool tls)> serve)
{
    constexpr char tlsHandshakeRecord = 0x16;
    auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner,
                     [notifier, descriptor, serve = std::move(serve)] {
                         notifier->setEnabled(false);
                         notifier->deleteLater();
                         char first = 0;
                         if (::recv(int(descriptor), &first, 1, MSG_PEEK) != 1) {
                             ::close(int(descriptor));
                             return;
                         }
                         serve(first == tlsHandshakeRecord);
                     });
}
