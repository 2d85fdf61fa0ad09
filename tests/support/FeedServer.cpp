#include "FeedServer.h"

#include <QTcpSocket>
#include <gtest/gtest.h>

FeedServer::FeedServer()
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
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/rss+xml\r\nContent-Length: " +
                      QByteArray::number(m_body.size()) + "\r\nConnection: close\r\n\r\n" + m_body);
        socket->disconnectFromHost();
    });
}

QByteArray appcastXml(const QList<FeedItem>& items)
{
    QByteArray xml = "<?xml version=\"1.0\"?>\n<rss version=\"2.0\" "
                     "xmlns:sparkle=\"http://www.andymatuschak.org/xml-namespaces/sparkle\">"
                     "<channel><title>Zentrope</title>\n";
    for (const FeedItem& item : items) {
        xml += "<item><sparkle:version>" + item.version.toUtf8() +
               "</sparkle:version><sparkle:shortVersionString>" + item.shortVersion.toUtf8() +
               "</sparkle:shortVersionString>";
        if (!item.channel.isEmpty())
            xml += "<sparkle:channel>" + item.channel.toUtf8() + "</sparkle:channel>";
        xml += "<sparkle:releaseNotesLink>https://example.com/notes/" + item.version.toUtf8() +
               "</sparkle:releaseNotesLink><enclosure url=\"https://example.com/Zentrope-" +
               item.version.toUtf8() + ".zip\" length=\"1\"/></item>\n";
    }
    return xml + "</channel></rss>\n";
}
