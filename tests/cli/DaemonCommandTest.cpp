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
    const struct
    {
        const char* script; // none: no daemon in the bundle
        int exitCode;
        QString labels;
        QString errors;
    } cases[] = {
        {"exit 0\n", 0, starting + u"Running (pid)\nStopped\n"_s, {}},
        {"exit 3\n", 1, starting + u"Running (pid)\nCrashed (exit 3)\n"_s, {}},
        {nullptr, 1, u"Crashed (exit -1)\n"_s,
         u"zentropectl: Could not locate bundled daemon binaries.\n"_s},
    };
    for (const auto& each : cases) {
        InProcessCli cli;
        if (each.script)
            cli.bundle.installFakeDaemon(each.script);
        const CliRun run = cli.run(u"daemon"_s);
        EXPECT_EQ(run.exitCode, each.exitCode) << each.labels.toStdString();
        EXPECT_EQ(withoutPid(run.out), each.labels);
        EXPECT_EQ(run.err, each.errors);
    }
}

TEST(DaemonCommand, CtrlCStopsTheDaemonAndExitsZero)
{
    QTemporaryDir home;
    TestBundle bundle;
    bundle.installFakeDaemon("trap 'exit 0' TERM\nwhile :; do sleep 0.05; done\n");
    // Run from inside the bundle, as installed, so that it finds the daemon there.
    const QString tool = bundle.path() + u"/Contents/MacOS/zentropectl"_s;
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZENTROPECTL_PATH), tool));
    QProcess process;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, home.path());
    process.setProcessEnvironment(environment);
    process.start(tool, {u"daemon"_s});
    QString output;
    ASSERT_TRUE(waitUntil([&] {
        output += QString::fromUtf8(process.readAllStandardOutput());
        return output.contains(u"Running (pid "_s);
    }));
    ::kill(pid_t(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(10'000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    output += QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_EQ(withoutPid(output), starting + u"Running (pid)\nStopped\n"_s);
}
