// `zentropectl status`, in-process against a stand-in daemon on a port of
// its own: the rows, the JSON and the exit codes. Decoding and the rows'
// words are DaemonAPI's and DaemonStatusRows', tested in core.
#include "support/InProcessCli.h"
#include "support/Printers.h"
#include "support/TestServer.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(StatusCommand, PrintsTheRowsOrTheAnswerAsJson)
{
    TestServer daemon(TestServer::Serves::plainHttp);
    daemon.setAnswer(200, R"({"ok": true, "version": "1.2.3", "activeSessions": 2,
        "permissions": {"prismAutomation": "granted", "systemEventsAutomation": "unknown"}})");
    InProcessCli cli;
    cli.daemon.port = daemon.port();

    const CliRun rows = cli.run(u"status"_s);
    EXPECT_EQ(rows.exitCode, 0) << rows.err.toStdString();
    EXPECT_EQ(rows.out, u"Daemon: Listening — version 1.2.3\n"
                        u"Sessions: 2 active\n"
                        u"Prism automation: Granted\n"
                        u"System Events: Not yet probed\n"_s);

    const CliRun json = cli.run(u"status --json"_s);
    EXPECT_EQ(json.exitCode, 0);
    EXPECT_TRUE(json.out.endsWith(u"}\n"_s));
    const QJsonObject answer = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(answer.value(u"version"_s).toString(), u"1.2.3"_s);
    EXPECT_EQ(answer.value(u"activeSessions"_s).toInt(), 2);
}

TEST(StatusCommand, NoDaemonOrAnAnswerThatDoesNotDecodeExitsOne)
{
    InProcessCli cli; // its port has nothing listening
    const CliRun unreachable = cli.run(u"status"_s);
    EXPECT_EQ(unreachable.exitCode, 1);
    EXPECT_EQ(unreachable.out, QString());
    EXPECT_TRUE(unreachable.err.startsWith(u"Could not reach daemon: "_s))
        << unreachable.err.toStdString();

    TestServer daemon(TestServer::Serves::plainHttp);
    daemon.setAnswer(500, "<html>oops</html>", "text/html");
    cli.daemon.port = daemon.port();
    const CliRun garbled = cli.run(u"status --json"_s);
    EXPECT_EQ(garbled.exitCode, 1);
    EXPECT_TRUE(garbled.err.startsWith(u"Could not reach daemon: "_s)) << garbled.err.toStdString();
}

TEST(StatusCommand, WhatTheDaemonSaysCannotDriveTheTerminal)
{
    TestServer daemon(TestServer::Serves::plainHttp);
    daemon.setAnswer(200, R"({"ok": true, "version": "1.0\u001b[2J\r\u0000\nDaemon: forged",
        "activeSessions": 1, "permissions": {"prismAutomation": "granted\u001b]0;x\u0007",
        "systemEventsAutomation": "denied"}})");
    InProcessCli cli;
    cli.daemon.port = daemon.port();
    const CliRun run = cli.run(u"status"_s);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(u'\n');
    ASSERT_EQ(lines.size(), 5) << run.out.toStdString();
    EXPECT_EQ(lines[0], u"Daemon: Listening — version 1.0\\x1b[2J\\r\\x00\\nDaemon: forged"_s);
    EXPECT_EQ(lines[2], u"Prism automation: Granted\\x1b]0;x\\x07"_s);
}

TEST(StatusCommand, ATrickledOrEndlessAnswerEndsInAFailure)
{
    TestServer daemon(TestServer::Serves::plainHttp);
    InProcessCli cli;
    cli.daemon.port = daemon.port();
    daemon.setEndless(true);
    const CliRun endless = cli.run(u"status"_s);
    EXPECT_EQ(endless.exitCode, 1);
    EXPECT_EQ(endless.err, u"Could not reach daemon: The answer is larger than 1048576 bytes.\n"_s);

    daemon.setEndless(false);
    daemon.setTrickle(std::chrono::milliseconds(50));
    cli.daemon.limits.attemptDeadline = std::chrono::milliseconds(300);
    const CliRun trickled = cli.run(u"status"_s);
    EXPECT_EQ(trickled.exitCode, 1);
    EXPECT_EQ(trickled.err, u"Could not reach daemon: No complete answer within 0.3 s.\n"_s);
}

TEST(StatusCommand, WatchPrintsEachChangeUntilInterrupted)
{
    TestServer daemon(TestServer::Serves::plainHttp);
    daemon.setAnswer(500, "not json", "text/plain");
    InProcessCli cli;
    cli.daemon.port = daemon.port();

    // The daemon first fails, then answers; once the answer has been given,
    // Ctrl-C ends the watch. (A request is announced before it is answered.)
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
