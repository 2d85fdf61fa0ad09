// `zentropectl daemon`, run as a real process from a throwaway bundle.
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace {

class DaemonCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString tool = bundle.path() + QStringLiteral("/Contents/MacOS/zentropectl");
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZENTROPECTL_PATH), tool));
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        process.setProcessEnvironment(environment);
        process.setProgram(tool);
    }

    void run(const QStringList& arguments)
    {
        process.setArguments(arguments);
        process.start();
        ASSERT_TRUE(process.waitForStarted());
    }

    QStringList lines()
    {
        return QString::fromUtf8(output += process.readAllStandardOutput())
            .split(u'\n', Qt::SkipEmptyParts);
    }
    bool waitForLine(const QString& prefix)
    {
        return waitUntil([&] {
            return !lines()
                        .filter(QRegularExpression(u'^' + QRegularExpression::escape(prefix)))
                        .isEmpty();
        });
    }
    bool waitForExit() { return process.waitForFinished(10000); }
    QString daemonLog() const
    {
        return home.path() + QStringLiteral("/Library/Logs/Zentrope/daemon.log");
    }

    QTemporaryDir home;
    TestBundle bundle;
    QProcess process;
    QByteArray output;
};

const QString starting = QString::fromUtf8("Starting\xE2\x80\xA6");

} // namespace

TEST_F(DaemonCommandTest, InterruptStopsTheDaemonAndExitsZero)
{
    bundle.installFakeDaemon("trap 'exit 0' TERM\nwhile :; do sleep 0.05; done\n");
    run({QStringLiteral("daemon")});
    ASSERT_TRUE(waitForLine(QStringLiteral("Running (pid ")));
    ::kill(pid_t(process.processId()), SIGINT);
    ASSERT_TRUE(waitForExit());
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    const QStringList printed = lines();
    ASSERT_EQ(printed.size(), 3) << printed.join(u'|').toStdString();
    EXPECT_EQ(printed[0], starting);
    EXPECT_TRUE(printed[1].startsWith(QStringLiteral("Running (pid ")));
    EXPECT_EQ(printed[2], QStringLiteral("Stopped"));
}

TEST_F(DaemonCommandTest, ADaemonThatMustBeKilledEndsTheCommandWithZeroAfterItsLabel)
{
    bundle.installFakeDaemon("trap '' TERM\necho ready\nwhile :; do sleep 0.05; done\n");
    run({QStringLiteral("daemon")});
    ASSERT_TRUE(waitForLine(QStringLiteral("Running (pid ")));
    // Only once the trap is set can SIGTERM be ignored.
    ASSERT_TRUE(waitUntil([&] { return readFileAt(daemonLog()) == "ready\n"; }));
    process.terminate(); // SIGTERM to the command
    ASSERT_TRUE(waitForExit());
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(lines().mid(2),
              (QStringList{QStringLiteral("Stopped"), QStringLiteral("Crashed (exit 9)")}));
}

TEST_F(DaemonCommandTest, ADaemonThatCrashesByItselfEndsTheCommandWithOne)
{
    bundle.installFakeDaemon("exit 3\n");
    run({QStringLiteral("daemon")});
    ASSERT_TRUE(waitForExit());
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(lines().last(), QStringLiteral("Crashed (exit 3)"));
    EXPECT_EQ(readFileAt(home.path() + QStringLiteral("/Library/Logs/Zentrope/daemon.err")),
              QByteArray());
}

TEST_F(DaemonCommandTest, ADaemonThatStopsByItselfEndsTheCommandWithZero)
{
    bundle.installFakeDaemon("echo bye\nexit 0\n");
    run({QStringLiteral("daemon")});
    ASSERT_TRUE(waitForExit());
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(lines().last(), QStringLiteral("Stopped"));
    // Output written just before the end is in the log when the command returns.
    EXPECT_EQ(readFileAt(daemonLog()), QByteArray("bye\n"));
}

TEST_F(DaemonCommandTest, MissingDaemonFilesFailWithTheLaunchMarker)
{
    run({QStringLiteral("daemon")}); // the bundle has no Daemon folder, and no dev tree is near
    ASSERT_TRUE(waitForExit());
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(lines(), QStringList{QStringLiteral("Crashed (exit -1)")});
    EXPECT_EQ(readFileAt(home.path() + QStringLiteral("/Library/Logs/Zentrope/daemon.err")),
              QByteArray("Could not locate bundled daemon binaries.\n"));
}

TEST_F(DaemonCommandTest, UsageErrorsExitTwoWithOneLine)
{
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("daemon"), QStringLiteral("extra")},
          QStringList{QStringLiteral("daemon"), QStringLiteral("--bogus")},
          QStringList{QStringLiteral("no-such-command")}, QStringList{}}) {
        run(arguments);
        ASSERT_TRUE(waitForExit());
        EXPECT_EQ(process.exitCode(), 2) << arguments.join(u' ').toStdString();
        const QList<QByteArray> errorLines = process.readAllStandardError().trimmed().split('\n');
        EXPECT_EQ(errorLines.size(), 1);
        EXPECT_TRUE(errorLines.first().startsWith("zentropectl: "));
    }
}
