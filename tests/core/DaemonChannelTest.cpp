#include "core/DaemonChannel.h"

#include "support/Printers.h"
#include "support/TestCertificates.h"
#include "support/TestServer.h"
#include "support/Wait.h"

#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using Kind = DaemonApiError::Kind;
using Serves = TestServer::Serves;

const QString get = QStringLiteral("GET");
const QString statusPath = QStringLiteral("/api/status");

DaemonChannel::Outcome send(DaemonChannel& channel, const QString& method, const QString& path,
                            const std::optional<QByteArray>& body = std::nullopt)
{
    return awaitResult(channel.request(method, path, body));
}

// A channel to `server` that trusts the test CA, as if it were installed.
std::unique_ptr<DaemonChannel> trustingChannel(const TestServer& server)
{
    return std::make_unique<DaemonChannel>(server.port(),
                                           QList{TestCertificates::shared().caCertificate()});
}

// A channel to `server` that trusts only what the system trusts.
std::unique_ptr<DaemonChannel> systemChannel(quint16 port)
{
    return std::make_unique<DaemonChannel>(port, QList<QSslCertificate>{});
}

} // namespace

TEST(DaemonChannel, StatusProbeFallsBackToPlainHttpWhenTheServerHasNoTls)
{
    TestServer server(Serves::plainHttp, {200, "{}"});
    const auto outcome = send(*trustingChannel(server), get, statusPath);
    ASSERT_TRUE(outcome.ok()) << outcome.error().logText().toStdString();
    EXPECT_EQ(outcome.value().body, "{}");
    EXPECT_EQ(server.tlsConnections(), 1); // the refused HTTPS attempt
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_FALSE(server.requests().first().overTls);
}

TEST(DaemonChannel, OnlyAnExactGetOfTheStatusPathFallsBack)
{
    TestServer server(Serves::plainHttp, {200, "{}"});
    auto channel = trustingChannel(server);
    const QList<std::pair<QString, QString>> others{{get, QStringLiteral("/api/status/")},
                                                    {get, QStringLiteral("/api/status?x=1")},
                                                    {get, QStringLiteral("/api/sessions")},
                                                    {QStringLiteral("get"), statusPath},
                                                    {QStringLiteral("HEAD"), statusPath}};
    for (const auto& [method, path] : others) {
        const auto outcome = send(*channel, method, path);
        ASSERT_FALSE(outcome.ok()) << method.toStdString() << ' ' << path.toStdString();
        EXPECT_EQ(outcome.error().kind, Kind::secureConnectionFailed);
        EXPECT_EQ(outcome.error().failingUrl.scheme(), QStringLiteral("https"));
    }
    EXPECT_EQ(server.tlsConnections(), others.size());
    EXPECT_EQ(server.plainConnections(), 0);
}

TEST(DaemonChannel, TrustedHttpsTakesExactlyOneRequest)
{
    TestServer server(Serves::https, {200, "{\"ok\":true}"});
    const auto outcome = send(*trustingChannel(server), get, statusPath);
    ASSERT_TRUE(outcome.ok()) << outcome.error().logText().toStdString();
    EXPECT_EQ(outcome.value().body, "{\"ok\":true}");
    EXPECT_EQ(server.connections(), 1);
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_TRUE(server.requests().first().overTls);
}

TEST(DaemonChannel, AnUntrustedCertificateLetsOnlyTheStatusProbeFallBack)
{
    TestServer httpsOnly(Serves::https, {200, "{}"});
    auto channel = systemChannel(httpsOnly.port());
    for (const auto& [method, path] : QList<std::pair<QString, QString>>{
             {get, QStringLiteral("/api/sessions")}, {QStringLiteral("POST"), statusPath}}) {
        const auto outcome = send(*channel, method, path);
        ASSERT_FALSE(outcome.ok());
        EXPECT_EQ(outcome.error().kind, Kind::serverCertificateUntrusted);
        EXPECT_EQ(outcome.error().failingUrl.scheme(), QStringLiteral("https"));
    }
    EXPECT_EQ(httpsOnly.plainConnections(), 0);

    // The probe falls back, and the plain attempt's failure is the one reported.
    const auto probe = send(*channel, get, statusPath);
    ASSERT_FALSE(probe.ok());
    EXPECT_EQ(probe.error().failingUrl.scheme(), QStringLiteral("http"));
    EXPECT_GE(httpsOnly.plainConnections(), 1);
    EXPECT_TRUE(httpsOnly.requests().isEmpty());

    TestServer both(Serves::both, {200, "{}"});
    const auto answered = send(*systemChannel(both.port()), get, statusPath);
    ASSERT_TRUE(answered.ok()) << answered.error().logText().toStdString();
    ASSERT_EQ(both.requests().size(), 1);
    EXPECT_FALSE(both.requests().first().overTls);
}

TEST(DaemonChannel, NothingListeningFailsBothAttemptsWithCannotConnect)
{
    quint16 closedPort = 0;
    {
        TestServer gone(Serves::nothing);
        closedPort = gone.port();
    }
    auto channel = systemChannel(closedPort);
    const auto probe = send(*channel, get, statusPath);
    ASSERT_FALSE(probe.ok());
    EXPECT_EQ(probe.error().kind, Kind::cannotConnectToHost);
    EXPECT_EQ(probe.error().failingUrl.scheme(), QStringLiteral("http"));
    EXPECT_FALSE(probe.error().description.isEmpty());

    const auto other = send(*channel, get, QStringLiteral("/api/sessions"));
    ASSERT_FALSE(other.ok());
    EXPECT_EQ(other.error().failingUrl.scheme(), QStringLiteral("https"));
}

TEST(DaemonChannel, ASilentServerTimesOutOnceWithoutFallingBack)
{
    TestServer server(Serves::nothing);
    QElapsedTimer clock;
    clock.start();
    const auto outcome = send(*trustingChannel(server), get, statusPath);
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.error().kind, Kind::timedOut);
    EXPECT_GE(clock.elapsed(), 4500);
    EXPECT_EQ(server.connections(), 1);
}

TEST(DaemonChannel, AnyHttpStatusIsAnAnswerAndRedirectsAreNotFollowed)
{
    TestServer server(Serves::https, {500, "<html>oops</html>", "text/html"});
    auto channel = trustingChannel(server);
    const auto error = send(*channel, get, statusPath);
    ASSERT_TRUE(error.ok()) << error.error().logText().toStdString();
    EXPECT_EQ(error.value().statusCode, 500);
    EXPECT_EQ(error.value().body, "<html>oops</html>");

    server.setAnswer({302, {}, "text/plain", "Location: /api/elsewhere\r\n"});
    const auto redirect = send(*channel, get, statusPath);
    ASSERT_TRUE(redirect.ok()) << redirect.error().logText().toStdString();
    EXPECT_EQ(redirect.value().statusCode, 302);
    EXPECT_EQ(server.requests().size(), 2);
}

TEST(DaemonChannel, ContentTypeIsSentWithABodyOnly)
{
    TestServer server(Serves::https, {200, "{}"});
    auto channel = trustingChannel(server);
    ASSERT_TRUE(send(*channel, QStringLiteral("POST"), QStringLiteral("/api/x"), "{\"a\":1}").ok());
    ASSERT_TRUE(send(*channel, get, QStringLiteral("/api/x")).ok());
    ASSERT_EQ(server.requests().size(), 2);
    const auto& withBody = server.requests().at(0);
    EXPECT_EQ(withBody.method, "POST");
    EXPECT_EQ(withBody.headers.value("content-type"), "application/json");
    EXPECT_EQ(withBody.body, "{\"a\":1}");
    const auto& without = server.requests().at(1);
    EXPECT_FALSE(without.headers.contains("content-type"));
    EXPECT_FALSE(without.headers.contains("accept"));
    EXPECT_FALSE(without.headers.contains("authorization"));
}

TEST(DaemonChannel, AnAddressThatDoesNotParseSendsNothing)
{
    TestServer server(Serves::plainHttp);
    const auto outcome = send(*trustingChannel(server), get, QStringLiteral("api/status"));
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.error().kind, Kind::badURL);
    EXPECT_EQ(server.connections(), 0);
}

TEST(DaemonChannel, RequestsFromAnotherThreadRunOnTheChannelsThread)
{
    TestServer server(Serves::https, {200, "{}"});
    auto channel = trustingChannel(server);
    QFuture<DaemonChannel::Outcome> future;
    std::unique_ptr<QThread> worker(
        QThread::create([&] { future = channel->request(get, QStringLiteral("/api/x")); }));
    worker->start();
    ASSERT_TRUE(worker->wait(10000));
    EXPECT_TRUE(awaitResult(future).ok());
    EXPECT_EQ(server.requests().size(), 1);
}

TEST(DaemonChannel, DestroyingTheChannelCancelsWhatIsUnderWay)
{
    TestServer server(Serves::nothing);
    auto channel = trustingChannel(server);
    auto future = channel->request(get, statusPath);
    ASSERT_TRUE(waitUntil([&] { return server.connections() == 1; }));
    channel.reset();
    EXPECT_TRUE(future.isCanceled());
}
