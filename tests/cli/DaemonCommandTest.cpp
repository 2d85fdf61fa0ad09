// `zentropectl daemon`: its labels and exit code in-process, its signals in a real process.
#include "support/InProcessCli.h"
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString starting = u"Starting…\n"_s;

// The labels with the pid taken out, so they can be compared whole.
QString withoutPid(QString labels)
{
    return labels.replace(QRegularExpression(u"\\(pid \\d+\\)"_s), u"(pid)"_s);
}

} // namespace

TEST(DaemonCommand, PrintsEachStatusAndExitsOneOnlyWhenTheDaemonCrashed)
{
    const std::tuple<const char*, int, QString> cases[] = {
        {"exit 0\n", 0, starting + u"Running (pid)\nStopped\n|"_s},
        {"exit 3\n", 1, starting + u"Running (pid)\nCrashed (exit 3)\n|"_s},
        // No daemon in the bundle: the supervisor's reason, as it logged it.
        {nullptr, 1,
         u"Crashed (exit -1)\n|zentropectl: Could not locate bundled daemon binaries.\n"_s},
    };
    for (const auto& [script, exitCode, printed] : cases) {
        InProcessCli cli;
        if (script)
            cli.bundle.installFakeDaemon(script);
        const CliRun run = cli.run(u"daemon"_s);
        EXPECT_EQ(run.exitCode, exitCode) << printed.toStdString();
        EXPECT_EQ(withoutPid(run.out) + u'|' + run.err, printed);
    }
}

// zentropectl installed in a bundle whose daemon is a script that stops on SIGTERM.
struct InstalledTool
{
    InstalledTool()
    {
        bundle.installFakeDaemon("trap 'exit 0' TERM\nwhile :; do sleep 0.05; done\n");
        EXPECT_TRUE(QFile::copy(QStringLiteral(ZENTROPECTL_PATH), path));
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, home.path());
        process.setProcessEnvironment(environment);
    }

    // Reads standard output until the daemon runs; its pid, or 0.
    pid_t waitForDaemon()
    {
        const QRegularExpression running(u"Running \\(pid (\\d+)\\)"_s);
        waitUntil([&] {
            output += QString::fromUtf8(process.readAllStandardOutput());
            return running.match(output).hasMatch();
        });
        return pid_t(running.match(output).captured(1).toInt());
    }

    QTemporaryDir home;
    TestBundle bundle;
    const QString path = bundle.path() + u"/Contents/MacOS/zentropectl"_s;
    QProcess process;
    QString output;
};

// Gone from the process table, or a zombie left for whoever adopted it.
bool ended(pid_t pid)
{
    return waitUntil([pid] {
        const QByteArray stat = readFileAt(u"/proc/%1/stat"_s.arg(pid));
        return stat.isEmpty() || stat.mid(stat.lastIndexOf(')') + 2, 1) == "Z";
    });
}

// Ctrl-C or a hang-up stops the daemon in order; killed, the supervisor takes it along.
TEST(DaemonCommand, TheDaemonEndsWithItsSupervisorHoweverThatIsStopped)
{
    for (const int stopSignal : {SIGINT, SIGHUP, SIGKILL}) {
        InstalledTool tool;
        tool.process.start(tool.path, {u"daemon"_s});
        const pid_t daemon = tool.waitForDaemon();
        ASSERT_NE(daemon, 0);
        ::kill(pid_t(tool.process.processId()), stopSignal);
        ASSERT_TRUE(tool.process.waitForFinished(10'000));
        EXPECT_TRUE(ended(daemon)) << stopSignal;
        if (stopSignal == SIGKILL)
            continue;
        EXPECT_EQ(tool.process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(tool.process.exitCode(), 0) << stopSignal;
        tool.output += QString::fromUtf8(tool.process.readAllStandardOutput());
        EXPECT_EQ(withoutPid(tool.output), starting + u"Running (pid)\nStopped\n"_s);
    }
}
