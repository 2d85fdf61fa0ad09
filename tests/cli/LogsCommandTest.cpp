// `zentropectl logs`: what it prints, in-process; following, which runs until
// Ctrl-C, as a real process. Reading and following a file are LogTail's and
// LogTailer's, tested in core.
#include "support/InProcessCli.h"
#include "support/Printers.h"
#include "support/Wait.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString outcome(const CliRun& run)
{
    return QString::number(run.exitCode) + u'|' + run.out + u'|' + run.err;
}

} // namespace

TEST(LogsCommand, PrintsEitherLogWholeOrFiltered)
{
    QTemporaryDir logs;
    InProcessCli cli;
    cli.daemon.logDirectory = logs.path();
    writeFileAt(logs.filePath(u"daemon.log"_s), "Alpha\nbeta ERROR\ngamma error again\nlast");
    writeFileAt(logs.filePath(u"daemon.err"_s), "boom\n");
    EXPECT_EQ(outcome(cli.run(u"logs"_s)), u"0|Alpha\nbeta ERROR\ngamma error again\nlast|"_s);
    EXPECT_EQ(outcome(cli.run(u"logs --errors"_s)), u"0|boom\n|"_s);
    EXPECT_EQ(outcome(cli.run(u"logs --filter Error"_s)), u"0|beta ERROR\ngamma error again\n|"_s);
    EXPECT_EQ(outcome(cli.run(u"logs --filter nothing"_s)), u"0||"_s);
}

TEST(LogsCommand, FollowingPrintsCompleteMatchingLinesUntilCtrlC)
{
    QTemporaryDir home;
    const QString logs = home.filePath(u"Library/Logs/Zentrope"_s);
    writeFileAt(logs + u"/daemon.err"_s, "keep 1\ndrop\nkeep 2 unfinished");
    QProcess process;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, home.path());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ZENTROPECTL_PATH),
                  {u"logs"_s, u"--errors"_s, u"--follow"_s, u"--filter"_s, u"KEEP"_s});
    QByteArray output;
    const auto printed = [&](const QByteArray& expected) {
        return waitUntil([&] {
            output += process.readAllStandardOutput();
            return output == expected;
        });
    };
    ASSERT_TRUE(printed("keep 1\n")) << output.toStdString();
    QFile file(logs + u"/daemon.err"_s);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(" now\ndrop\nKeep 3\n");
    file.close();
    EXPECT_TRUE(printed("keep 1\nkeep 2 unfinished now\nKeep 3\n")) << output.toStdString();

    ::kill(pid_t(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(10'000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
}
