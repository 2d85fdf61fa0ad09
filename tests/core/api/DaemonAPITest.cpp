#include "core/api/DaemonAPI.h"

#include "support/Printers.h"
#include "support/TestServer.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

TEST(DaemonAPI, AValidStatusDecodesWhateverTheHttpStatus)
{
    TestServer server(TestServer::Serves::plainHttp);
    DaemonChannel channel(server.port(), {});
    server.setAnswer(503, R"({"ok": false, "version": "2.0", "activeSessions": 7,
        "permissions": {"prismAutomation": "denied", "systemEventsAutomation": "granted",
                        "accessibility": "restricted"}})");
    const auto status = awaitResult(DaemonAPI::status(channel));
    ASSERT_TRUE(status.ok()) << status.error().logText().toStdString();
    EXPECT_EQ(status.value().activeSessions, 7);
    EXPECT_EQ(status.value().permissions.accessibility, QStringLiteral("restricted"));

    server.setAnswer(200, {});
    EXPECT_FALSE(awaitResult(DaemonAPI::status(channel)).ok()) << "an empty 200 answer";
}
