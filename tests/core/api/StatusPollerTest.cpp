// The poller against a real server on 127.0.0.1 and a real supervisor whose
// daemon is a sleeping shell. What the status tab shows of it (the last answer
// kept under an error, cleared when the daemon stops) is proven through the tab.
#include "core/api/StatusPoller.h"

#include "core/api/DaemonChannel.h"
#include "core/daemon/DaemonManager.h"
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/TestServer.h"
#include "support/Wait.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

constexpr auto interval = 100ms;

Bundle withSleepingDaemon(const TestBundle& bundle)
{
    bundle.installFakeDaemon("exec sleep 30\n");
    return bundle.bundle();
}

QByteArray answer(const QByteArray& version)
{
    return R"({"ok": true, "version": ")" + version + R"(", "activeSessions": 1,
        "permissions": {"prismAutomation": "granted", "systemEventsAutomation": "granted",
                        "accessibility": "granted"}})";
}

class StatusPollerTest : public ::testing::Test
{
protected:
    StatusPollerTest()
    {
        poller.setInterval(interval);
        server.setAnswer(200, answer("1.0"));
        QObject::connect(&poller, &StatusPoller::changed, [this] {
            if (poller.status())
                versions.append(poller.status()->version);
        });
        QObject::connect(&poller, &StatusPoller::accessibilityChanged, [this](const auto& value) {
            accessibility.append(value.value_or(u"-"_s));
        });
    }

    bool waitForRequests(qsizetype count)
    {
        return waitUntil([&] { return server.requests().size() == count; });
    }
    // Long enough for a few polls that must not happen.
    void idle()
    {
        waitUntil([] { return false; }, 4 * interval);
    }
    void startDaemon()
    {
        supervisor.start();
        ASSERT_TRUE(supervisor.status().isRunning());
    }

    TestBundle bundle;
    DaemonManager supervisor{withSleepingDaemon(bundle), bundle.root() + u"/Logs"_s};
    TestServer server{TestServer::Serves::plainHttp};
    DaemonChannel channel{server.port(), {}};
    StatusPoller poller{supervisor, channel};
    QStringList versions;      // of every answer published
    QStringList accessibility; // every value announced, "-" for none
};

} // namespace

TEST(StatusPoller, PollsEveryTwoSeconds)
{
    DaemonChannel channel(1, {});
    EXPECT_EQ(StatusPoller(channel).interval(), 2000ms);
}

TEST_F(StatusPollerTest, AsksOnlyWhileTheDaemonRunsOneRequestAtATimeAnIntervalAfterEachAnswer)
{
    poller.setActive(true);
    idle();
    EXPECT_EQ(server.connections(), 0);
    EXPECT_EQ(supervisor.status(), DaemonStatus::stopped()); // never started by the poller

    server.setHolding(true);
    startDaemon();
    EXPECT_TRUE(poller.isQuerying());
    ASSERT_TRUE(waitForRequests(1));
    idle();
    EXPECT_EQ(server.requests().size(), 1);

    QElapsedTimer sinceAnswer;
    qint64 nextAskedAfter = -1;
    QObject::connect(&server, &TestServer::requestReceived,
                     [&] { nextAskedAfter = sinceAnswer.elapsed(); });
    sinceAnswer.start();
    server.releaseHeld();
    ASSERT_TRUE(waitUntil([&] { return poller.status().has_value(); }));
    EXPECT_FALSE(poller.isQuerying());
    ASSERT_TRUE(waitForRequests(2));
    // The request was held for four intervals: a wait counted from the
    // request would have asked again at once. (Timers may fire a little early.)
    EXPECT_GE(nextAskedAfter, interval.count() / 2);

    // A stopped daemon takes its accessibility value with it.
    supervisor.stop();
    EXPECT_FALSE(poller.isQuerying());
    EXPECT_EQ(accessibility, (QStringList{u"granted"_s, u"-"_s}));
}

TEST_F(StatusPollerTest, AnAnswerAskedForBeforeLeavingIsIgnoredAndReturningMakesOneLoop)
{
    startDaemon();
    server.setHolding(true);
    server.setAnswer(200, answer("late"));
    poller.setActive(true);
    ASSERT_TRUE(waitForRequests(1));
    for (const bool active : {false, true, false, true})
        poller.setActive(active);
    idle();
    EXPECT_EQ(server.requests().size(), 1); // the new loop waits for the old request

    server.releaseHeld();
    ASSERT_TRUE(waitForRequests(2));
    EXPECT_FALSE(poller.status().has_value());
    server.setAnswer(200, answer("fresh"));
    server.releaseHeld();
    ASSERT_TRUE(waitForRequests(3));
    idle();
    EXPECT_EQ(server.requests().size(), 3);
    EXPECT_EQ(versions, QStringList{u"fresh"_s});
}
