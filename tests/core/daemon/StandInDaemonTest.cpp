// The real stand-in daemon, launched by the supervisor from the assembled bundle.
#include "core/daemon/DaemonManager.h"
#include "support/Printers.h"
#include "support/StatusRecorder.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(StandInDaemon, RunsFromTheBundleAndAnswersItsStatusOverHttp)
{
    QTemporaryDir logs;
    qputenv("ZENTROPE_DAEMON_PORT", "0"); // any free port; the daemon logs which
    DaemonManager manager(Bundle(QStringLiteral(ZENTROPE_APP_DIR)), logs.path());
    StatusRecorder recorder(manager);
    manager.start();
    qunsetenv("ZENTROPE_DAEMON_PORT");
    ASSERT_TRUE(manager.status().isRunning());

    const QRegularExpression listening(
        QStringLiteral("listening on (http://127\\.0\\.0\\.1:\\d+)"));
    QString address;
    ASSERT_TRUE(waitUntil([&] {
        const auto match = listening.match(
            QString::fromUtf8(readFileAt(logs.filePath(QStringLiteral("daemon.log")))));
        address = match.captured(1);
        return match.hasMatch();
    })) << readFileAt(logs.filePath(QStringLiteral("daemon.err"))).toStdString();

    QNetworkAccessManager network;
    std::unique_ptr<QNetworkReply> reply(
        network.get(QNetworkRequest(QUrl(address + QStringLiteral("/api/status")))));
    ASSERT_TRUE(waitUntil([&] { return reply->isFinished(); }));
    EXPECT_EQ(reply->error(), QNetworkReply::NoError);
    // What it says is DaemonAPI's to decode, tested there.
    EXPECT_TRUE(reply->readAll().startsWith("{\"ok\":true")) << address.toStdString();

    // SIGTERM makes it close its server and exit 0: a clean stop.
    manager.stop();
    ASSERT_TRUE(recorder.waitForChildEnds());
    EXPECT_EQ(manager.status(), DaemonStatus::stopped());
    EXPECT_TRUE(
        readFileAt(logs.filePath(QStringLiteral("daemon.log"))).contains("GET /api/status 200"));
}
