// `zentropectl daemon`: the labels it prints and its exit code, in-process;
// Ctrl-C, which only a real process can be sent, as one. How the supervisor
// reads a child's end is DaemonManager's, tested in core.
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
    const QString portTaken =
        u"zentropectl: Port 27832 is already in use by process 4242 (node).\n"_s;
    const struct
    {
        const char* script; // none: no daemon in the bundle
        bool portHeld;
        int exitCode;
        QString labels;
        QString errors;
    } cases[] = {
        {"exit 0\n", false, 0, starting + u"Running (pid)\nStopped\n"_s, {}},
        {"exit 3\n", false, 1, starting + u"Running (pid)\nCrashed (exit 3)\n"_s, {}},
        {"exit 1\n", true, 1, starting + u"Running (pid)\nCrashed (exit 1)\n"_s, portTaken},
        {nullptr, false, 1, u"Crashed (exit -1)\n"_s,
         u"zentropectl: Could not locate bundled daemon binaries.\n"_s},
    };
    for (const auto& each : cases) {
        InProcessCli cli;
        cli.daemon.port = 27832;
        if (each.script)
            cli.bundle.installFakeDaemon(each.script);
        if (each.portHeld)
            cli.fakes.portLookup->holders.insert(27832, {4242, u"node"_s});
        const CliRun run = cli.run(u"daemon"_s);
        EXPECT_EQ(run.exitCode, each.exitCode) << each.labels.toStdString();
        EXPECT_EQ(withoutPid(run.out), each.labels);
        EXPECT_EQ(run.err, each.errors);
    }
}

// zentropectl run from inside a bundle, as installed, so that it finds the
// daemon there: a shell script that stops on SIGTERM.
class InstalledTool
{
public:
    InstalledTool()
    {
        bundle.installFakeDaemon("trap 'exit 0' TERM\nwhile :; do sleep 0.05; done\n");
        EXPECT_TRUE(QFile::copy(QStringLiteral(ZENTROPECTL_PATH), path()));
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, home.path());
        process.setProcessEnvironment(environment);
    }
    QString path() const { return bundle.path() + u"/Contents/MacOS/zentropectl"_s; }
    QString scratch(const QString& name) const { return home.filePath(name); }

    // Reads standard output until the daemon runs; its pid, or 0.
    pid_t waitForDaemon()
    {
        static const QRegularExpression running(u"Running \\(pid (\\d+)\\)"_s);
        QRegularExpressionMatch match;
        waitUntil([&] {
            output += QString::fromUtf8(process.readAllStandardOutput());
            match = running.match(output);
            return match.hasMatch();
        });
        return match.hasMatch() ? pid_t(match.captured(1).toInt()) : 0;
    }

    QTemporaryDir home;
    TestBundle bundle;
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

pid_t parentOf(pid_t pid)
{
    const QByteArray stat = readFileAt(u"/proc/%1/stat"_s.arg(pid));
    return pid_t(stat.mid(stat.lastIndexOf(')') + 4).split(' ').value(0).toInt());
}

// Ctrl-C or a hang-up stops the daemon in order; killed outright, the
// supervisor takes the daemon with it.
TEST(DaemonCommand, TheDaemonEndsWithItsSupervisorHoweverThatIsStopped)
{
    for (const int stopSignal : {SIGINT, SIGHUP, SIGKILL}) {
        InstalledTool tool;
        tool.process.start(tool.path(), {u"daemon"_s});
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

TEST(DaemonCommand, AClosedOutputIsReportedAndTheDaemonStillStopped)
{
    InstalledTool tool;
    // `head` goes after two lines and its shell closes the pipe too, then
    // says so; the supervisor's "Stopped" then meets a pipe nobody reads.
    // Its exit code and standard error go to files.
    tool.process.start(u"/bin/bash"_s, {u"-c"_s,
                                        u"{ \"$0\" daemon 2>\"$1\"; echo $? >\"$2\"; } | "
                                        u"{ head -n 2; exec 0<&-; echo >\"$3\"; }"_s,
                                        tool.path(), tool.scratch(u"err"_s),
                                        tool.scratch(u"code"_s), tool.scratch(u"closed"_s)});
    const pid_t daemon = tool.waitForDaemon();
    ASSERT_NE(daemon, 0);
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(tool.scratch(u"closed"_s)); }));
    ::kill(parentOf(daemon), SIGINT);
    ASSERT_TRUE(tool.process.waitForFinished(10'000));
    EXPECT_EQ(readFileAt(tool.scratch(u"code"_s)), "1\n");
    EXPECT_EQ(readFileAt(tool.scratch(u"err"_s)),
              "zentropectl: cannot write to standard output: Broken pipe\n");
    EXPECT_TRUE(ended(daemon));
}
