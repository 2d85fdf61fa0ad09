#include "FeedServer.h"

#include <QTcpSocket>
#include <gtest/gtest.h>

FeedServer::FeedServer(QByteArray body)
    : m_body(std::move(body))
{
    EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost, 0));
    QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection())
            serve(socket);
    });
}

QUrl FeedServer::url() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1/appcast.xml").arg(m_server.serverPort()));
}

QUrl FeedServer::unreachableUrl()
{
    QTcpServer closed;
    EXPECT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 port = closed.serverPort();
    closed.close();
    return QUrl(QStringLiteral("http://127.0.0.1:%1/appcast.xml").arg(port));
}

void FeedServer::serve(QTcpSocket* socket)
{
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
        QByteArray request = socket->property("request").toByteArray() + socket->readAll();
        socket->setProperty("request", request);
        if (!request.contains("\r\n\r\n"))
            return;
        ++m_requests;
        if (!m_redirect.isEmpty()) {
            socket->write("HTTP/1.1 302 Found\r\nLocation: " + m_redirect.toEncoded() +
                          "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            socket->disconnectFromHost();
            return;
        }
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/rss+xml\r\nContent-Length: " +
                      QByteArray::number(m_body.size()) + "\r\nConnection: close\r\n\r\n" + m_body);
        socket->disconnectFromHost();
    });
}

QByteArray sampleAppcast()
{
    return R"(<rss version="2.0" xmlns:sparkle="http://www.andymatuschak.org/xml-namespaces/sparkle">
<channel><title>Zentrope</title>
<item><sparkle:version>41</sparkle:version>
  <sparkle:shortVersionString>1.0</sparkle:shortVersionString>
  <enclosure url="https://example.com/Zentrope-41.zip"/></item>
<item><sparkle:version>43</sparkle:version>
  <sparkle:shortVersionString>1.1</sparkle:shortVersionString>
  <sparkle:releaseNotesLink>https://example.com/notes/43</sparkle:releaseNotesLink>
  <enclosure url="https://example.com/Zentrope-43.zip"/></item>
<item><sparkle:version>44</sparkle:version>
  <sparkle:shortVersionString>1.2b</sparkle:shortVersionString><sparkle:channel>beta</sparkle:channel>
  <enclosure url="https://example.com/Zentrope-44.zip"/></item>
</channel></rss>)";
}

void useFeed(const TestBundle& bundle, const QUrl& feed, const QString& version)
{
    bundle.writeInfoPlist({{QStringLiteral("SUFeedURL"), feed.toString()},
                           {QStringLiteral("CFBundleVersion"), version}});
}
