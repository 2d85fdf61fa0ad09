#include "core/api/DaemonAttempt.h"

#include <QNetworkReply>

namespace {

// Qt turns an HTTP error status into an error() too, yet the answer arrived
// whole; only failures of the network layer, or a garbled answer, lose it.
bool answerArrived(const QNetworkReply& reply)
{
    const auto error = reply.error();
    if (error == QNetworkReply::NoError)
        return true;
    const bool hasStatus = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    const bool networkLayer = error >= QNetworkReply::ConnectionRefusedError &&
                              error < QNetworkReply::ProxyConnectionRefusedError;
    return hasStatus && !networkLayer && error != QNetworkReply::ProtocolFailure;
}

} // namespace

DaemonAttempt::DaemonAttempt(QNetworkReply* reply, std::chrono::milliseconds timeout,
                             Completion done, QObject* parent)
    : QObject(parent)
    , m_reply(reply)
    , m_done(std::move(done))
{
    reply->setParent(this);
    m_timer.setSingleShot(true);
    m_timer.setInterval(timeout);
    connect(&m_timer, &QTimer::timeout, this, &DaemonAttempt::expire);
    // Counts idle time, not the whole exchange: an answer that keeps
    // arriving is not cut off.
    const auto restart = [this] { m_timer.start(); };
    connect(reply, &QNetworkReply::downloadProgress, this, restart);
    connect(reply, &QNetworkReply::uploadProgress, this, restart);
    connect(reply, &QNetworkReply::encrypted, this, [this] { m_encrypted = true; });
    // Not ignored, so the handshake fails; remembered to name the reason.
    connect(reply, &QNetworkReply::sslErrors, this, [this] { m_certificateRejected = true; });
    connect(reply, &QNetworkReply::finished, this, &DaemonAttempt::finish);
    m_timer.start();
}

void DaemonAttempt::expire()
{
    m_timedOut = true;
    m_reply->abort(); // finishes the reply at once
}

void DaemonAttempt::finish()
{
    m_timer.stop();
    disconnect(m_reply, nullptr, this, nullptr);
    Completion done = std::move(m_done);
    Outcome result = outcome();
    deleteLater(); // not now: we are inside the reply's signal
    done(std::move(result));
}

DaemonAttempt::Outcome DaemonAttempt::outcome() const
{
    if (!m_timedOut && answerArrived(*m_reply)) {
        const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        return DaemonReply{status.toInt(), m_reply->rawHeaderPairs(), m_reply->readAll()};
    }
    const QString description =
        m_timedOut ? QStringLiteral("The request timed out.") : m_reply->errorString();
    return DaemonApiError{failureKind(), description, int(m_reply->error()),
                          m_reply->request().url()};
}

DaemonApiError::Kind DaemonAttempt::failureKind() const
{
    using Kind = DaemonApiError::Kind;
    if (m_timedOut)
        return Kind::timedOut;
    if (m_certificateRejected)
        return Kind::serverCertificateUntrusted;
    const bool overTls = m_reply->request().url().scheme() == u"https";
    switch (m_reply->error()) {
    case QNetworkReply::ConnectionRefusedError:
    // Qt folds the remaining socket failures, an unreachable network among
    // them, into this one.
    case QNetworkReply::UnknownNetworkError:
        return Kind::cannotConnectToHost;
    case QNetworkReply::SslHandshakeFailedError:
        return Kind::secureConnectionFailed;
    case QNetworkReply::RemoteHostClosedError:
        // A peer that hangs up before the handshake is done refused TLS.
        return overTls && !m_encrypted ? Kind::secureConnectionFailed : Kind::other;
    case QNetworkReply::TimeoutError:
        return Kind::timedOut;
    default:
        return Kind::other;
    }
}
