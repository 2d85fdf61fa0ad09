#include "core/api/DaemonChannel.h"

#include "core/api/DaemonStatusProbe.h"
#include "support/FlappingServer.h"
#include "support/Printers.h"
#include "support/TestCertificates.h"
#include "support/TestServer.h"
#include "support/Wait.h"

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

// Trusts the test CA, as if it were installed; otherwise only the system's store.
std::unique_ptr<DaemonChannel> channelTo(quint16 port, bool trustTestCa = true,
                                         DaemonChannel::Limits limits = {})
{
    QList<QSslCertificate> extra;
    if (trustTestCa)
        extra.append(TestCertificates::shared().caCertificate());
    return std::make_unique<DaemonChannel>(port, extra, limits);
}

void expectFailure(const DaemonChannel::Outcome& outcome, Kind kind, const char* scheme)
{
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.error().kind, kind) << outcome.error().logText().toStdString();
    EXPECT_EQ(outcome.error().failingUrl.scheme(), QLatin1String(scheme));
}

} // namespace

TEST(DaemonChannel, StatusProbeFallsBackToPlainHttpWhenTheServerHasNoTls)
{
    TestServer server(Serves::plainHttp);
    const auto outcome = send(*channelTo(server.port()), get, statusPath);
    ASSERT_TRUE(outcome.ok()) << outcome.error().logText().toStdString();
    EXPECT_EQ(outcome.value().body, "{}");
    EXPECT_EQ(server.tlsConnections(), 1); // the refused HTTPS attempt
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_FALSE(server.requests().first().overTls);
}

TEST(DaemonChannel, OnlyAnExactGetOfTheStatusPathFallsBack)
{
    TestServer server(Serves::plainHttp);
    auto channel = channelTo(server.port());
    const QList<std::pair<QString, QString>> others{{get, QStringLiteral("/api/status/")},
                                                    {get, QStringLiteral("/api/status?x=1")},
                                                    {get, QStringLiteral("/api/sessions")},
                                                    {QStringLiteral("get"), statusPath},
                                                    {QStringLiteral("HEAD"), statusPath}};
    for (const auto& [method, path] : others)
        expectFailure(send(*channel, method, path), Kind::secureConnectionFailed, "https");
    EXPECT_EQ(server.tlsConnections(), others.size());
    EXPECT_EQ(server.plainConnections(), 0);
}

TEST(DaemonChannel, TrustedHttpsTakesExactlyOneRequest)
{
    TestServer server(Serves::https);
    const auto outcome = send(*channelTo(server.port()), get, statusPath);
    ASSERT_TRUE(outcome.ok()) << outcome.error().logText().toStdString();
    EXPECT_EQ(server.connections(), 1);
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_TRUE(server.requests().first().overTls);
}

TEST(DaemonChannel, AnUntrustedCertificateLetsOnlyTheStatusProbeFallBack)
{
    TestServer httpsOnly(Serves::https);
    auto channel = channelTo(httpsOnly.port(), false);
    expectFailure(send(*channel, get, QStringLiteral("/api/sessions")),
                  Kind::serverCertificateUntrusted, "https");
    expectFailure(send(*channel, QStringLiteral("POST"), statusPath),
                  Kind::serverCertificateUntrusted, "https");
    EXPECT_EQ(httpsOnly.plainConnections(), 0);

    // The probe falls back, and the plain attempt's failure is the one reported.
    expectFailure(send(*channel, get, statusPath), Kind::other, "http");
    EXPECT_GE(httpsOnly.plainConnections(), 1);

    TestServer both(Serves::both);
    ASSERT_TRUE(send(*channelTo(both.port(), false), get, statusPath).ok());
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
    auto channel = channelTo(closedPort);
    expectFailure(send(*channel, get, statusPath), Kind::cannotConnectToHost, "http");
    expectFailure(send(*channel, get, QStringLiteral("/x")), Kind::cannotConnectToHost, "https");
}

TEST(DaemonChannel, TheDeadlineCountsTheWholeAnswerAndATimeOutNeverFallsBack)
{
    // Long enough for a handshake on a loaded machine, short beside the
    // 100,000 bytes the trickle would take 5,000 s to send.
    const DaemonChannel::Limits quick{std::chrono::milliseconds(1500), 1024 * 1024};
    // One server that never answers, one that answers a byte every 50 ms:
    // neither keeps the caller past the deadline, and neither gets a plain retry.
    TestServer silent(Serves::nothing);
    TestServer trickling(Serves::both);
    trickling.setTrickle(std::chrono::milliseconds(50));
    for (TestServer* server : {&silent, &trickling}) {
        const auto outcome = send(*channelTo(server->port(), true, quick), get, statusPath);
        expectFailure(outcome, Kind::timedOut, "https");
        EXPECT_EQ(outcome.error().description, u"No complete answer within 1.5 s.");
        EXPECT_EQ(server->plainConnections(), 0);
    }
    EXPECT_EQ(trickling.requests().size(), 1);
}

TEST(DaemonChannel, AnAnswerBeyondItsLimitIsCutOffWhileItArrives)
{
    TestServer server(Serves::https);
    const DaemonChannel::Limits small{std::chrono::seconds(20), 1000};
    auto channel = channelTo(server.port(), true, small);
    server.setAnswer(200, QByteArray(1000, 'x'));
    EXPECT_TRUE(send(*channel, get, statusPath).ok()) << "exactly the limit is an answer";
    server.setAnswer(200, QByteArray(1001, 'x'));
    expectFailure(send(*channel, get, statusPath), Kind::dataLengthExceedsMaximum, "https");

    // An endless answer, which the channel must stop reading rather than
    // keep: had it waited for the end, it would have met its deadline instead.
    server.setEndless(true);
    const auto flood = send(*channelTo(server.port()), get, statusPath);
    expectFailure(flood, Kind::dataLengthExceedsMaximum, "https");
    EXPECT_EQ(flood.error().description, u"The answer is larger than 1048576 bytes.");
    ASSERT_TRUE(waitUntil([&] { return server.endlessClosed() == 1; }));
    EXPECT_LT(server.endlessBytesSent(), 64 * 1024 * 1024) << "the reader stopped soon after";
}

TEST(DaemonChannel, ProductionLimitsAreFiveSecondsAndOneMebibyteAndTheProbesThreeAndSixty)
{
    const DaemonChannel channel;
    EXPECT_EQ(channel.limits().attemptDeadline, std::chrono::milliseconds(5000));
    EXPECT_EQ(channel.limits().largestAnswer, 1048576);
    EXPECT_EQ(DaemonStatusProbe::Deadlines().https, std::chrono::milliseconds(3000));
    EXPECT_EQ(DaemonStatusProbe::Deadlines().http, std::chrono::milliseconds(60000));
}

TEST(DaemonChannel, ADaemonThatWentSilentDuringTheHandshakeIsHeardOnceItAnswersAgain)
{
    // Accepts the first connection and never answers it; answers the rest.
    using Behaviour = FlappingServer::Behaviour;
    bool first = true;
    FlappingServer server(
        [&] { return std::exchange(first, false) ? Behaviour::stall : Behaviour::valid; });
    auto channel = channelTo(server.port());
    const auto silent = awaitResult(
        channel->attempt(QStringLiteral("https"), get, statusPath, std::chrono::milliseconds(200)));
    expectFailure(silent, Kind::timedOut, "https");
    for (int i = 0; i < 2; ++i) {
        const auto heard = send(*channel, get, statusPath);
        ASSERT_TRUE(heard.ok()) << heard.error().logText().toStdString();
        EXPECT_TRUE(heard.value().body.contains("\"ok\": true"));
    }
    EXPECT_EQ(server.behaviours().size(), 3);
}

TEST(DaemonChannel, AnyHttpStatusIsAnAnswerAndRedirectsAreNotFollowed)
{
    TestServer server(Serves::https);
    server.setAnswer(500, "<html>oops</html>", "text/html");
    auto channel = channelTo(server.port());
    const auto error = send(*channel, get, statusPath);
    ASSERT_TRUE(error.ok()) << error.error().logText().toStdString();
    EXPECT_EQ(error.value().statusCode, 500);
    EXPECT_EQ(error.value().body, "<html>oops</html>");

    server.setAnswer(302, {}, "text/plain", "Location: /api/elsewhere\r\n");
    const auto redirect = send(*channel, get, statusPath);
    ASSERT_TRUE(redirect.ok()) << redirect.error().logText().toStdString();
    EXPECT_EQ(redirect.value().statusCode, 302);
    EXPECT_EQ(server.requests().size(), 2);
}

TEST(DaemonChannel, ContentTypeIsSentWithABodyOnly)
{
    TestServer server(Serves::https);
    auto channel = channelTo(server.port());
    ASSERT_TRUE(send(*channel, QStringLiteral("POST"), QStringLiteral("/api/x"), "{\"a\":1}").ok());
    ASSERT_TRUE(send(*channel, get, QStringLiteral("/api/x")).ok());
    ASSERT_EQ(server.requests().size(), 2);
    const auto& withBody = server.requests().at(0);
    EXPECT_EQ(withBody.headers.value("content-type"), "application/json");
    EXPECT_EQ(withBody.body, "{\"a\":1}");
    for (const QByteArray name : {"content-type", "accept", "authorization"})
        EXPECT_FALSE(server.requests().at(1).headers.contains(name)) << name.constData();
}

TEST(DaemonChannel, AnAddressThatDoesNotParseSendsNothing)
{
    TestServer server(Serves::plainHttp);
    const auto outcome = send(*channelTo(server.port()), get, QStringLiteral("api/status"));
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.error().kind, Kind::badURL);
    EXPECT_EQ(server.connections(), 0);
}

TEST(DaemonChannel, RequestsFromAnotherThreadRunOnTheChannelsThread)
{
    TestServer server(Serves::https);
    auto channel = channelTo(server.port());
    QFuture<DaemonChannel::Outcome> future;
    std::unique_ptr<QThread> worker(
        QThread::create([&] { future = channel->request(get, QStringLiteral("/api/x")); }));
    worker->start();
    ASSERT_TRUE(worker->wait(10000));
    EXPECT_TRUE(awaitResult(future).ok());
}

TEST(DaemonChannel, DestroyingTheChannelCancelsWhatIsUnderWay)
{
    TestServer server(Serves::nothing);
    auto channel = channelTo(server.port());
    auto future = channel->request(get, statusPath);
    ASSERT_TRUE(waitUntil([&] { return server.connections() == 1; }));
    channel.reset();
    EXPECT_TRUE(future.isCanceled());
}
