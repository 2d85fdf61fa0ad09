#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTcpServer>
#include <QUrl>

// An HTTP server on 127.0.0.1, on a port the system picks, that answers every
// request with `body`. It serves while the test processes events.
class FeedServer
{
public:
    FeedServer();

    QUrl url() const;
    void setBody(QByteArray body) { m_body = std::move(body); }
    int requests() const { return m_requests; }

    // An address on 127.0.0.1 where nothing listens.
    static QUrl unreachableUrl();

private:
    void serve(QTcpSocket* socket);

    QTcpServer m_server;
    QByteArray m_body;
    int m_requests = 0;
};

// One release in an appcast built by appcastXml(); downloads are
// https://example.com/Zentrope-<version>.zip.
struct FeedItem
{
    QString version;
    QString shortVersion;
    QString channel; // none: the default channel
};
QByteArray appcastXml(const QList<FeedItem>& items);
