#include "core/api/DaemonChannel.h"

#include "core/api/DaemonAttempt.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkRequest>
#include <QPromise>
#include <memory>

namespace {

const QString https = QStringLiteral("https");
const QString http = QStringLiteral("http");

} // namespace

DaemonChannel::DaemonChannel(QObject* parent)
    : DaemonChannel(daemonPort, {}, {}, parent)
{}

DaemonChannel::DaemonChannel(quint16 port, const QList<QSslCertificate>& extraCaCertificates,
                             Limits limits, QObject* parent)
    : QObject(parent)
    , m_port(port)
    , m_limits(limits)
    , m_tls(QSslConfiguration::defaultConfiguration())
    , m_manager(newManager())
{
    if (!extraCaCertificates.isEmpty())
        m_tls.addCaCertificates(extraCaCertificates);
}

QNetworkAccessManager* DaemonChannel::newManager()
{
    auto* manager = new QNetworkAccessManager(this);
    // The daemon is on the loopback address: a proxy has no business there.
    manager->setProxy(QNetworkProxy::NoProxy);
    return manager;
}

void DaemonChannel::attemptEnded(QNetworkAccessManager* manager, bool timedOut)
{
    // Qt holds an HTTPS connection whose handshake never ended for every
    // later request to the same port, so one daemon that accepted and went
    // silent would time out every poll after it, even once it answers
    // again. New attempts get a manager of their own; the old one goes with
    // its stuck connection once the attempts it carries have ended.
    if (timedOut && manager == m_manager)
        m_manager = newManager();
    if (--m_attemptsUnderWay[manager] == 0 && manager != m_manager) {
        m_attemptsUnderWay.remove(manager);
        manager->deleteLater(); // after the attempt, and with it the reply, is gone
    }
}

QUrl DaemonChannel::address(const QString& scheme, const QString& path) const
{
    const QString text =
        scheme + QStringLiteral("://") + host() + u':' + QString::number(m_port) + path;
    return QUrl(text, QUrl::StrictMode);
}

bool DaemonChannel::allowsFallBack(const QString& method, const QString& path,
                                   const DaemonApiError& httpsError)
{
    using Kind = DaemonApiError::Kind;
    if (method != u"GET" || path != statusPath())
        return false;
    switch (httpsError.kind) {
    case Kind::cannotConnectToHost:
    case Kind::secureConnectionFailed:
    case Kind::serverCertificateUntrusted:
        return true;
    default:
        return false;
    }
}

QFuture<DaemonChannel::Outcome> DaemonChannel::request(const QString& method, const QString& path,
                                                       const std::optional<QByteArray>& body)
{
    return onChannelThread(
        [this, call = Call{method, path, body}](Completion done) { send(call, std::move(done)); });
}

QFuture<DaemonChannel::Outcome> DaemonChannel::attempt(const QString& scheme, const QString& method,
                                                       const QString& path,
                                                       std::chrono::milliseconds deadline)
{
    return onChannelThread([this, scheme, call = Call{method, path, {}}, deadline](
                               Completion done) { fire(scheme, call, deadline, std::move(done)); });
}

QFuture<DaemonChannel::Outcome> DaemonChannel::onChannelThread(std::function<void(Completion)> work)
{
    auto promise = std::make_shared<QPromise<Outcome>>();
    QFuture<Outcome> future = promise->future();
    promise->start();
    // The network objects belong to this channel's thread: a call from
    // another thread hops over; one from this thread starts at once.
    QMetaObject::invokeMethod(this, [work = std::move(work), promise] {
        work([promise](Outcome outcome) {
            promise->addResult(std::move(outcome));
            promise->finish();
        });
    });
    return future;
}

void DaemonChannel::send(const Call& call, Completion done)
{
    fire(https, call, m_limits.attemptDeadline, [this, call, done](Outcome first) {
        if (first.ok() || !allowsFallBack(call.method, call.path, first.error())) {
            done(std::move(first));
            return;
        }
        // The HTTPS error is dropped: the plain attempt's outcome is final.
        fire(http, call, m_limits.attemptDeadline, done);
    });
}

void DaemonChannel::fire(const QString& scheme, const Call& call,
                         std::chrono::milliseconds deadline, Completion done)
{
    const QUrl url = address(scheme, call.path);
    if (!url.isValid()) {
        done(DaemonApiError{DaemonApiError::Kind::badURL, url.errorString(), 0, url});
        return;
    }
    QNetworkRequest request(url);
    if (scheme == https)
        request.setSslConfiguration(m_tls);
    // Answers are taken as they come; a redirect must not lead off the daemon.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    const QByteArray verb = call.method.toLatin1();
    QNetworkAccessManager* manager = m_manager;
    QNetworkReply* reply = nullptr;
    if (call.body) {
        request.setHeader(QNetworkRequest::ContentTypeHeader,
                          QByteArrayLiteral("application/json"));
        reply = manager->sendCustomRequest(request, verb, *call.body);
    } else {
        reply = manager->sendCustomRequest(request, verb);
    }
    ++m_attemptsUnderWay[manager];
    auto ended = [this, manager, done = std::move(done)](Outcome outcome) {
        attemptEnded(manager, !outcome && outcome.error().kind == DaemonApiError::Kind::timedOut);
        done(std::move(outcome));
    };
    new DaemonAttempt(reply, {deadline, m_limits.largestAnswer}, std::move(ended), this);
}
