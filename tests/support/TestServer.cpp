#include "TestServer.h"

#include "FirstByte.h"
#include "TestCertificates.h"

#include <QSslSocket>
#include <QTimer>
#include <gtest/gtest.h>

quint16 closedLocalPort()
{
    QTcpServer server;
    EXPECT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    return server.serverPort(); // closed again when `server` goes
}

TestServer::TestServer(Serves serves)
    : m_serves(serves)
{
    setAnswer(200, "{}");
    const bool listening = listen(QHostAddress::LocalHost, 0);
    EXPECT_TRUE(listening) << errorString().toStdString();
}

void TestServer::incomingConnection(qintptr descriptor)
{
    ++m_connections;
    if (m_serves == Serves::nothing) {
        auto* socket = new QTcpSocket(this); // held open, never answered
        socket->setSocketDescriptor(descriptor);
        return;
    }
    whenFirstByteArrives(this, descriptor,
                         [this, descriptor](bool tls) { adopt(descriptor, tls); });
}

void TestServer::adopt(qintptr descriptor, bool tlsHello)
{
    ++(tlsHello ? m_tlsConnections : m_plainConnections);
    const bool servesTls = m_serves == Serves::https || m_serves == Serves::both;
    const bool servesPlain = m_serves == Serves::plainHttp || m_serves == Serves::both;
    auto* socket = tlsHello && servesTls ? new QSslSocket(this) : new QTcpSocket(this);
    socket->setSocketDescriptor(descriptor);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    if (tlsHello && !servesTls) {
        socket->readAll(); // unread data would turn our close into a reset
        respond(socket, "HTTP/1.1 400 Bad Request\r\n", {});
    } else if (!tlsHello && !servesPlain) {
        socket->abort();
        socket->deleteLater();
    } else {
        if (auto* tls = qobject_cast<QSslSocket*>(socket)) {
            tls->setLocalCertificate(TestCertificates::shared().serverCertificate());
            tls->setPrivateKey(TestCertificates::shared().serverKey());
            tls->startServerEncryption();
        }
        connect(socket, &QTcpSocket::readyRead, this,
                [this, socket, tlsHello] { readRequest(socket, tlsHello); });
    }
}

void TestServer::readRequest(QTcpSocket* socket, bool overTls)
{
    const QByteArray buffered = socket->peek(socket->bytesAvailable());
    const qsizetype headerEnd = buffered.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    Request request;
    request.overTls = overTls;
    const QList<QByteArray> lines = buffered.left(headerEnd).split('\n');
    for (const QByteArray& line : lines.mid(1)) {
        const qsizetype colon = line.indexOf(':');
        request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
    }
    const qsizetype length = request.headers.value("content-length", "0").toLongLong();
    if (buffered.size() < headerEnd + 4 + length)
        return;
    request.body = buffered.mid(headerEnd + 4, length);
    socket->read(headerEnd + 4 + length);
    m_requests.append(request);
    Q_EMIT requestReceived();
    if (m_holding)
        m_held.append(socket);
    else
        respond(socket, m_answerHead, m_answerBody);
}

void TestServer::releaseHeld()
{
    for (const QPointer<QTcpSocket>& socket : std::exchange(m_held, {})) {
        if (socket)
            respond(socket, m_answerHead, m_answerBody);
    }
}

void TestServer::setAnswer(int status, const QByteArray& body, const QByteArray& contentType,
                           const QByteArray& extraHeaders)
{
    m_answerHead = "HTTP/1.1 " + QByteArray::number(status) +
                   " Test\r\nContent-Type: " + contentType + "\r\n" + extraHeaders;
    m_answerBody = body;
}

void TestServer::respond(QTcpSocket* socket, const QByteArray& head, const QByteArray& body)
{
    if (m_endless) {
        flood(socket, head);
        return;
    }
    if (m_trickle.count() > 0) {
        trickle(socket, head);
        return;
    }
    socket->write(head + "Connection: close\r\nContent-Length: " + QByteArray::number(body.size()) +
                  "\r\n\r\n" + body);
    socket->disconnectFromHost();
}

void TestServer::trickle(QTcpSocket* socket, const QByteArray& head)
{
    socket->write(head + "Content-Length: 100000\r\n\r\n");
    auto* timer = new QTimer(socket);
    connect(timer, &QTimer::timeout, socket, [socket] { socket->write("x"); });
    timer->start(m_trickle);
}

void TestServer::flood(QTcpSocket* socket, const QByteArray& head)
{
    socket->write(head + "Transfer-Encoding: chunked\r\n\r\n");
    static const QByteArray chunk = "10000\r\n" + QByteArray(0x10000, 'x') + "\r\n";
    // Topped up as the client reads, so the kernel's buffers, not ours, hold the rest.
    auto* tls = qobject_cast<QSslSocket*>(socket);
    const auto pending = [socket, tls] {
        return socket->bytesToWrite() + (tls ? tls->encryptedBytesToWrite() : 0);
    };
    const auto topUp = [this, socket, pending] {
        while (socket->state() == QAbstractSocket::ConnectedState && pending() < 4 * chunk.size()) {
            socket->write(chunk);
            m_endlessBytes += chunk.size();
        }
    };
    connect(socket, &QIODevice::bytesWritten, socket, topUp);
    if (tls)
        connect(tls, &QSslSocket::encryptedBytesWritten, socket, topUp);
    connect(socket, &QAbstractSocket::disconnected, this, [this] { ++m_endlessClosed; });
    topUp();
}
