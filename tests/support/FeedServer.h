#pragma once

#include "TestBundle.h"

#include <QByteArray>
#include <QString>
#include <QTcpServer>
#include <QUrl>

// A feed with 1.0 (build 41) and 1.1 (43) on the default channel and 1.2b (44)
// on "beta"; downloads are https://example.com/Zentrope-<build>.zip.
QByteArray sampleAppcast();

// An HTTP server on 127.0.0.1, on a port the system picks, that answers every
// request with `body`. It serves while the test processes events.
class FeedServer
{
public:
    explicit FeedServer(QByteArray body = sampleAppcast());

    QUrl url() const;
    void setBody(QByteArray body) { m_body = std::move(body); }
    // Answers with a redirect to `target` instead; an empty URL stops that.
    void redirectTo(const QUrl& target) { m_redirect = target; }
    int requests() const { return m_requests; }

    // An address on 127.0.0.1 where nothing listens.
    static QUrl unreachableUrl();

private:
    void serve(QTcpSocket* socket);

    QTcpServer m_server;
    QByteArray m_body;
    QUrl m_redirect;
    int m_requests = 0;
};

// Writes the bundle's Info.plist: update feed `feed`, CFBundleVersion `version`.
void useFeed(const TestBundle& bundle, const QUrl& feed,
             const QString& version = QStringLiteral("42"));
