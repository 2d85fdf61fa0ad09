#pragma once

#include "core/api/DaemonApiError.h"
#include "core/api/DaemonReply.h"
#include "core/base/Result.h"

#include <QByteArray>
#include <QFuture>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QString>
#include <QUrl>
#include <chrono>
#include <functional>
#include <optional>

class QNetworkAccessManager;

// What one attempt of a DaemonChannel may take: its whole exchange, however
// the answer trickles in, and its body, which for the status is a few
// hundred bytes.
struct DaemonChannelLimits
{
    std::chrono::milliseconds attemptDeadline{5000};
    qint64 largestAnswer = 1024 * 1024;
};

// The HTTP channel to the local daemon at 127.0.0.1:27832: HTTPS first, and
// for the status probe alone one fall-back to plain HTTP, for a daemon that
// has no certificate and so serves plain HTTP. Trusts what the system trusts,
// nothing more. Any HTTP status is an answer; judging it is the caller's part.
//
// The application has one, which its ApplicationContext owns; it must go
// while the Q(Core)Application exists, since Qt's network thread needs it to
// close its connections.
//
// Each channel has its own network manager: Qt keeps a connection's TLS
// settings for every later request to the same host and port, so channels
// with different trust must not share one.
class DaemonChannel : public QObject
{
    Q_OBJECT

public:
    using Outcome = Result<DaemonReply, DaemonApiError>;

    static constexpr quint16 daemonPort = 27832;
    using Limits = DaemonChannelLimits;
    static QString host() { return QStringLiteral("127.0.0.1"); }
    static QString statusPath() { return QStringLiteral("/api/status"); }

    // The daemon's port, the system's trust store.
    explicit DaemonChannel(QObject* parent = nullptr);
    // For tests: a stand-in server on `port`, whose certificate may also be
    // issued by one of `extraCaCertificates`, and limits of their own.
    DaemonChannel(quint16 port, const QList<QSslCertificate>& extraCaCertificates,
                  Limits limits = {}, QObject* parent = nullptr);

    quint16 port() const { return m_port; }
    const Limits& limits() const { return m_limits; }
    // scheme://127.0.0.1:port + path; invalid when that does not parse.
    QUrl address(const QString& scheme, const QString& path) const;

    // HTTPS, then plain HTTP once when allowsFallBack() says so. Callable
    // from any thread; the future finishes on this channel's thread (continue
    // with a context object to get back to yours). Destroying the channel
    // cancels what is under way.
    QFuture<Outcome> request(const QString& method, const QString& path,
                             const std::optional<QByteArray>& body = std::nullopt);

    // Only GET of exactly the status path, and only when HTTPS could not be
    // used at all: nothing listening, no TLS, or a certificate the system
    // does not trust. A time-out never falls back.
    static bool allowsFallBack(const QString& method, const QString& path,
                               const DaemonApiError& httpsError);

    // One attempt over `scheme` ("https" or "http") with a deadline of its
    // own and no fall-back, for callers with retry rules of their own.
    // Threads as for request().
    QFuture<Outcome> attempt(const QString& scheme, const QString& method, const QString& path,
                             std::chrono::milliseconds deadline);

private:
    struct Call
    {
        QString method;
        QString path;
        std::optional<QByteArray> body;
    };
    using Completion = std::function<void(Outcome)>;

    // Runs `work` on this channel's thread; the future takes what it completes with.
    QFuture<Outcome> onChannelThread(std::function<void(Completion)> work);
    void send(const Call& call, Completion done);
    void fire(const QString& scheme, const Call& call, std::chrono::milliseconds deadline,
              Completion done);
    QNetworkAccessManager* newManager();
    void attemptEnded(QNetworkAccessManager* manager, bool timedOut);

    const quint16 m_port;
    const Limits m_limits;
    QSslConfiguration m_tls;
    QNetworkAccessManager* m_manager; // for new attempts
    QHash<QNetworkAccessManager*, int> m_attemptsUnderWay;
};
