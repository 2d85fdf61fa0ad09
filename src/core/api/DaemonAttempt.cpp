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

DaemonAttempt::DaemonAttempt(QNetworkReply* reply, BoundedReply::Bounds bounds, Completion done,
                             QObject* parent)
    : QObject(parent)
    , m_bounded(reply, bounds, this)
    , m_done(std::move(done))
{
    connect(reply, &QNetworkReply::encrypted, this, [this] { m_encrypted = true; });
    // Not ignored, so the handshake fails; remembered to name the reason.
    connect(reply, &QNetworkReply::sslErrors, this, [this] { m_certificateRejected = true; });
    connect(&m_bounded, &BoundedReply::finished, this, &DaemonAttempt::finish);
}

void DaemonAttempt::finish()
{
    disconnect(&m_bounded.reply(), nullptr, this, nullptr);
    Completion done = std::move(m_done);
    Outcome result = outcome();
    deleteLater(); // not now: we are inside the reply's signal
    done(std::move(result));
}

DaemonAttempt::Outcome DaemonAttempt::outcome() const
{
    const QNetworkReply& reply = m_bounded.reply();
    if (m_bounded.stop() == BoundedReply::Stop::none && answerArrived(reply)) {
        const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
        return DaemonReply{status.toInt(), reply.rawHeaderPairs(), m_bounded.body()};
    }
    const QString description = m_bounded.stop() == BoundedReply::Stop::none
                                    ? reply.errorString()
                                    : m_bounded.stopDescription();
    return DaemonApiError{failureKind(), description, int(reply.error()), reply.request().url()};
}

DaemonApiError::Kind DaemonAttempt::failureKind() const
{
    using Kind = DaemonApiError::Kind;
    switch (m_bounded.stop()) {
    case BoundedReply::Stop::deadlinePassed:
        return Kind::timedOut;
    case BoundedReply::Stop::bodyTooLarge:
        return Kind::dataLengthExceedsMaximum;
    case BoundedReply::Stop::none:
        break;
    }
    if (m_certificateRejected)
        return Kind::serverCertificateUntrusted;
    const QNetworkReply& reply = m_bounded.reply();
    const bool overTls = reply.request().url().scheme() == u"https";
    switch (reply.error()) {
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
