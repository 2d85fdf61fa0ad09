// `zentropectl status` against a stand-in daemon: the rows, the JSON and the exit codes.
#include "support/InProcessCli.h"
#include "support/Printers.h"
#include "support/TestServer.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// What the daemon says cannot drive the terminal.
TEST(StatusCommand, PrintsTheRowsEscapedOrTheAnswerAsJson)
{
    TestServer daemon(TestServer::Serves::plainHttp);
    daemon.setAnswer(200, R"({"ok": true, "version": "1.0\u001b[2J\r\u0000\nDaemon: forged",
        "activeSessions": 2, "permissions": {"prismAutomation": "granted\u001b]0;x\u0007",
        "systemEventsAutomation": "unknown"}})");
    InProcessCli cli;
    cli.daemon.port = daemon.port();

    const CliRun rows = cli.run(u"status"_s);
    EXPECT_EQ(rows.exitCode, 0) << rows.err.toStdString();
    EXPECT_EQ(rows.out, u"Daemon: Listening — version 1.0\\x1b[2J\\r\\x00\\nDaemon: forged\n"
                        u"Sessions: 2 active\n"
                        u"Prism automation: Granted\\x1b]0;x\\x07\n"
                        u"System Events: Not yet probed\n"_s);

    const CliRun json = cli.run(u"status --json"_s);
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_TRUE(json.out.endsWith(u"}\n"_s));
    EXPECT_EQ(QJsonDocument::fromJson(json.out.toUtf8()).object().value(u"activeSessions"_s), 2);
}

TEST(StatusCommand, NoDaemonExitsOne)
{
    InProcessCli cli; // its port has nothing listening
    const CliRun unreachable = cli.run(u"status"_s);
    EXPECT_EQ(unreachable.exitCode, 1);
    EXPECT_EQ(unreachable.out, QString());
    EXPECT_TRUE(unreachable.err.startsWith(u"Could not reach daemon: "_s))
        << unreachable.err.toStdString();
}

TEST(StatusCommand, WatchPrintsEachChangeUntilInterrupted)
{
    TestServer daemon(TestServer::Serves::plainHttp);
    daemon.setAnswer(500, "not json", "text/plain");
    InProcessCli cli;
    cli.daemon.port = daemon.port();

    // A failure, then an answer, then Ctrl-C (a request is announced before its answer).
    QObject::connect(&daemon, &TestServer::requestReceived, &daemon, [&] {
        if (daemon.requests().size() == 2)
            daemon.setAnswer(200, R"({"ok": true, "version": "1.2.3", "activeSessions": 0,
                "permissions": {"prismAutomation": "granted", "systemEventsAutomation": "denied"}})");
        else if (daemon.requests().size() == 3)
            std::raise(SIGINT);
    });
    const CliRun watched = cli.run(u"status --watch"_s);

    EXPECT_EQ(watched.exitCode, 0);
    EXPECT_TRUE(watched.out.startsWith(u"Querying daemon…\nDaemon: Listening — version 1.2.3\n"_s))
        << watched.out.toStdString();
    EXPECT_TRUE(watched.err.startsWith(u"Could not reach daemon: "_s)) << watched.err.toStdString();
    EXPECT_EQ(watched.err.count(u'\n'), 1);
}
