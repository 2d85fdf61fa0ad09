// `zentropectl logs`: what it prints and its exit codes; reading and following are core's.
#include "support/InProcessCli.h"
#include "support/Printers.h"
#include "support/Wait.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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

TEST(LogsCommand, ALogNotWrittenYetIsNoErrorButAFolderInItsPlaceIs)
{
    QTemporaryDir home;
    InProcessCli cli;
    cli.daemon.logDirectory = home.filePath(u"Library/Logs/Zentrope"_s);
    const QString err = cli.daemon.logDirectory + u"/daemon.err"_s;
    // A fresh machine: not even the folder is there.
    EXPECT_EQ(outcome(cli.run(u"logs --errors"_s)), u"0||(no log file at %1)\n"_s.arg(err));
    ASSERT_TRUE(QDir().mkpath(cli.daemon.logDirectory));
    EXPECT_EQ(outcome(cli.run(u"logs --errors --filter x"_s)),
              u"0||(no log file at %1)\n"_s.arg(err));
    EXPECT_FALSE(QFileInfo::exists(err)); // reading creates nothing

    ASSERT_TRUE(QDir().mkpath(err));
    EXPECT_EQ(outcome(cli.run(u"logs --errors --follow"_s)),
              u"1||zentropectl: cannot follow %1: Is a folder, not a regular file\n"_s.arg(err));
}

// Following runs until Ctrl-C, so only in a real process.
TEST(LogsCommand, FollowingWaitsForTheLogAndPrintsCompleteMatchingLinesUntilCtrlC)
{
    QTemporaryDir home;
    const QString logs = home.filePath(u"Library/Logs/Zentrope"_s);
    QProcess process;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, home.path());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ZENTROPECTL_PATH),
                  {u"logs"_s, u"--errors"_s, u"--follow"_s, u"--filter"_s, u"KEEP"_s});
    QByteArray errors;
    ASSERT_TRUE(waitUntil([&] {
        errors += process.readAllStandardError();
        return errors.endsWith('\n');
    }));
    EXPECT_EQ(errors, "(no log file at " + logs.toUtf8() + "/daemon.err)\n");

    // The daemon's first start makes the folder and the file.
    writeFileAt(logs + u"/daemon.err"_s, "keep 1\ndrop\nKeep 2 unfinished");
    QByteArray output;
    ASSERT_TRUE(waitUntil([&] {
        output += process.readAllStandardOutput();
        return output == "keep 1\n";
    })) << output.toStdString();

    // Ctrl-C shows the last line, which never got its newline, rather than losing it.
    ::kill(pid_t(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(10'000));
    output += process.readAllStandardOutput();
    EXPECT_EQ(output, "keep 1\nKeep 2 unfinished\n");
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
}
