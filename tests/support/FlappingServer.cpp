#include "FlappingServer.h"

#include "FirstByte.h"
#include "TestCertificates.h"

#include <QSslSocket>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QByteArray answer(FlappingServer::Behaviour behaviour)
{
    const QByteArray body =
        behaviour == FlappingServer::Behaviour::valid
            ? QByteArrayLiteral(R"({"ok": true, "version": "1.0", "activeSessions": 1,
                "permissions": {"prismAutomation": "granted",
                "systemEventsAutomation": "granted"}})")
            : QByteArrayLiteral("<html>not the status</html>");
    return "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nConnection: close\r\n"
           "Content-Length: " +
           QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

// Closes with a reset rather than an orderly end.
void reset(int descriptor)
{
    const linger abortive{1, 0};
    ::setsockopt(descriptor, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    ::close(descriptor);
}

} // namespace

FlappingServer::FlappingServer(std::function<Behaviour()> choose)
    : m_choose(std::move(choose))
{
    const bool listening = listen(QHostAddress::LocalHost, 0);
    EXPECT_TRUE(listening) << errorString().toStdString();
}

const char* FlappingServer::name(Behaviour behaviour)
{
    static const char* const names[] = {"reset", "stall", "garbage", "badJson", "valid"};
    return names[int(behaviour)];
}

void FlappingServer::incomingConnection(qintptr descriptor)
{
    const Behaviour behaviour = m_choose();
    m_behaviours.append(behaviour);
    if (behaviour == Behaviour::reset) {
        reset(int(descriptor));
        return;
    }
    whenFirstByteArrives(this, descriptor, [this, descriptor, behaviour](bool tls) {
        serve(descriptor, behaviour, tls);
    });
}

void FlappingServer::serve(qintptr descriptor, Behaviour behaviour, bool tlsHello)
{
    const bool speaksHttp = behaviour == Behaviour::badJson || behaviour == Behaviour::valid;
    auto* socket = tlsHello && speaksHttp ? new QSslSocket(this) : new QTcpSocket(this);
    socket->setSocketDescriptor(descriptor);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    if (behaviour == Behaviour::stall) {
        ++m_openStalls;
        connect(socket, &QTcpSocket::disconnected, this, [this] { --m_openStalls; });
        connect(socket, &QTcpSocket::readyRead, socket, [socket] { socket->readAll(); });
        return;
    }
    if (behaviour == Behaviour::garbage) {
        socket->readAll();
        socket->write(QByteArrayLiteral("\x01\xff garbage, neither TLS nor HTTP\r\n\r\n"));
        socket->disconnectFromHost();
        return;
    }
    if (auto* tls = qobject_cast<QSslSocket*>(socket)) {
        tls->setLocalCertificate(TestCertificates::shared().serverCertificate());
        tls->setPrivateKey(TestCertificates::shared().serverKey());
        tls->startServerEncryption();
    }
    connect(socket, &QTcpSocket::readyRead, socket, [this, socket, behaviour] {
        if (!socket->peek(socket->bytesAvailable()).contains("\r\n\r\n"))
            return;
        socket->readAll();
        m_answers.append(behaviour);
        socket->write(answer(behaviour));
        socket->disconnectFromHost();
    });
}
