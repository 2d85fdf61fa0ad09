#include "core/api/DaemonChannel.h"

#include "core/api/DaemonStatusProbe.h"
#include "support/FlappingServer.h"
#include "support/Printers.h"
#include "support/TestCertificates.h"
#include "support/TestServer.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Kind = DaemonApiError::Kind;
using Serves = TestServer::Serves;

const QString statusPath = u"/api/status"_s;

DaemonChannel::Outcome send(DaemonChannel& channel, const QString& path = statusPath,
                            const QString& method = u"GET"_s)
{
    return awaitResult(channel.request(method, path));
}

// Trusts the test CA, as if it were installed; otherwise only the system's store.
std::unique_ptr<DaemonChannel> channelTo(quint16 port, bool trustTestCa = true,
                                         DaemonChannel::Limits limits = {})
{
    return std::make_unique<DaemonChannel>(
        port,
        trustTestCa ? QList{TestCertificates::shared().caCertificate()} : QList<QSslCertificate>(),
        limits);
}

void expectAnswer(const DaemonChannel::Outcome& outcome)
{
    ASSERT_TRUE(outcome.ok()) << outcome.error().logText().toStdString();
}

void expectFailure(const DaemonChannel::Outcome& outcome, Kind kind, const char* scheme)
{
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.error().kind, kind) << outcome.error().logText().toStdString();
    EXPECT_EQ(outcome.error().failingUrl.scheme(), QLatin1String(scheme));
}

} // namespace

TEST(DaemonChannel, OnlyTheStatusProbeFallsBackToPlainHttpWhenHttpsIsRefusedOrUntrusted)
{
    for (const bool tls : {true, false}) {
        TestServer server(tls ? Serves::https : Serves::plainHttp);
        expectAnswer(send(*channelTo(server.port())));
        EXPECT_EQ(server.tlsConnections(),
                  1); // when refused, the only HTTPS attempt
        EXPECT_EQ(server.plainConnections(), tls ? 0 : 1);
        ASSERT_EQ(server.requests().size(), 1);
        EXPECT_EQ(server.requests().first().overTls, tls);
    }
    TestServer plain(Serves::plainHttp);
    auto channel = channelTo(plain.port());
    const QList<std::pair<QString, QString>> others{{u"GET"_s, u"/api/status/"_s},
                                                    {u"GET"_s, u"/api/status?x=1"_s},
                                                    {u"get"_s, statusPath},
                                                    {u"HEAD"_s, statusPath}};
    for (const auto& [method, path] : others)
        expectFailure(send(*channel, path, method), Kind::secureConnectionFailed, "https");
    EXPECT_EQ(plain.plainConnections(), 0);

    TestServer httpsOnly(Serves::https);
    channel = channelTo(httpsOnly.port(), false);
    expectFailure(send(*channel, u"/api/sessions"_s), Kind::serverCertificateUntrusted, "https");
    EXPECT_EQ(httpsOnly.plainConnections(), 0);
    // The probe falls back, and the plain attempt's failure is the one reported.
    expectFailure(send(*channel), Kind::other, "http");
}

TEST(DaemonChannel, NothingListeningFailsBothAttemptsWithCannotConnect)
{
    auto channel = channelTo(closedLocalPort());
    expectFailure(send(*channel), Kind::cannotConnectToHost, "http");
    expectFailure(send(*channel, u"/x"_s), Kind::cannotConnectToHost, "https");
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
        const auto outcome = send(*channelTo(server->port(), true, quick));
        expectFailure(outcome, Kind::timedOut, "https");
        EXPECT_EQ(outcome.error().description, u"No complete answer within 1.5 s.");
        EXPECT_EQ(server->plainConnections(), 0);
    }
    EXPECT_EQ(trickling.requests().size(), 1);
}

TEST(DaemonChannel, AnAnswerBeyondItsLimitIsCutOffWhileItArrives)
{
    TestServer server(Serves::https);
    auto channel = channelTo(server.port(), true, {std::chrono::seconds(20), 1000});
    server.setAnswer(200, QByteArray(1000, 'x'));
    expectAnswer(send(*channel)); // exactly the limit
    server.setAnswer(200, QByteArray(1001, 'x'));
    expectFailure(send(*channel), Kind::dataLengthExceedsMaximum, "https");

    // An endless answer, which the channel must stop reading rather than
    // keep: had it waited for the end, it would have met its deadline instead.
    server.setEndless(true);
    const auto flood = send(*channelTo(server.port()));
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
        channel->attempt(u"https"_s, u"GET"_s, statusPath, std::chrono::milliseconds(200)));
    expectFailure(silent, Kind::timedOut, "https");
    for (int i = 0; i < 2; ++i) {
        const auto heard = send(*channel);
        expectAnswer(heard);
        EXPECT_TRUE(heard.value().body.contains("\"ok\": true"));
    }
    EXPECT_EQ(server.behaviours().size(), 3);
}

// What DaemonAPI makes of an answer of any HTTP status is proven with it.
TEST(DaemonChannel, ARedirectIsAnAnswerNotFollowed)
{
    TestServer server(Serves::https);
    server.setAnswer(302, {}, "text/plain", "Location: /api/elsewhere\r\n");
    const auto redirect = send(*channelTo(server.port()));
    expectAnswer(redirect);
    EXPECT_EQ(redirect.value().statusCode, 302);
    EXPECT_EQ(server.requests().size(), 1);
}
