#include "core/DaemonAPI.h"

#include "support/Printers.h"
#include "support/StandInDaemon.h"
#include "support/TestCertificates.h"
#include "support/TestServer.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

namespace {

using Serves = TestServer::Serves;

const DaemonAPI::Status standInStatus{
    true, QStringLiteral("1.0.0"), 0, {QStringLiteral("unknown"), QStringLiteral("unknown"), {}}};

Result<DaemonAPI::Status, DaemonAPI::Error> statusFrom(quint16 port)
{
    DaemonChannel channel(port, {TestCertificates::shared().caCertificate()});
    return awaitResult(DaemonAPI::status(channel));
}

} // namespace

TEST(DaemonAPI, AnErrorPageIsAnAnswerThatDoesNotDecode)
{
    TestServer server(Serves::plainHttp, {500, "<html>Internal Server Error</html>", "text/html"});
    const auto status = statusFrom(server.port());
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().kind, DaemonApiError::Kind::cannotDecodeResponse);
    EXPECT_EQ(server.requests().size(), 1);
}

TEST(DaemonAPI, AValidStatusDecodesWhateverTheHttpStatus)
{
    TestServer server(Serves::https, {503, R"({"ok": false, "version": "2.0", "activeSessions": 7,
        "permissions": {"prismAutomation": "denied", "systemEventsAutomation": "granted",
                        "accessibility": "restricted"}})"});
    const auto status = statusFrom(server.port());
    ASSERT_TRUE(status.ok()) << status.error().logText().toStdString();
    EXPECT_FALSE(status.value().ok);
    EXPECT_EQ(status.value().activeSessions, 7);
    EXPECT_EQ(status.value().permissions.accessibility, QStringLiteral("restricted"));

    server.setAnswer({200, {}});
    EXPECT_FALSE(statusFrom(server.port()).ok()) << "an empty 200 answer";
}

TEST(DaemonAPI, ReadsTheStandInDaemonOverPlainHttpAndOverTrustedHttps)
{
    for (const bool tls : {false, true}) {
        StandInDaemon daemon(tls);
        const auto status = statusFrom(daemon.port());
        ASSERT_TRUE(status.ok()) << status.error().logText().toStdString();
        EXPECT_EQ(status.value(), standInStatus) << (tls ? "https" : "http");
    }
}
