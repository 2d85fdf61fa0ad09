// `zentropectl logs`: what it prints, in-process; following, which runs until
// Ctrl-C, as a real process. Reading and following a file are LogTail's and
// LogTailer's, tested in core.
#include "support/InProcessCli.h"
#include "support/Printers.h"
#include "support/Wait.h"

#include <QDir>
#include <QFile>
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
    const CliRun folder = cli.run(u"logs --errors"_s);
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_TRUE(folder.err.startsWith(u"zentropectl: cannot read %1: "_s.arg(err)))
        << folder.err.toStdString();
    EXPECT_EQ(outcome(cli.run(u"logs --errors --follow"_s)),
              u"1||zentropectl: cannot follow %1: Is a folder, not a regular file\n"_s.arg(err));
}

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

    // The folder appears with the file in it, as the daemon's first start makes them.
    writeFileAt(home.filePath(u"staging/daemon.err"_s), "keep 1\ndrop\nkeep 2 unfinished");
    ASSERT_TRUE(QDir().mkpath(home.filePath(u"Library/Logs"_s)));
    ASSERT_TRUE(QDir().rename(home.filePath(u"staging"_s), logs));
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
    // One write, read at once: "keep 4" has arrived when "Keep 3" shows.
    file.write(" now\ndrop\nKeep 3\nkeep 4");
    file.close();
    EXPECT_TRUE(printed("keep 1\nkeep 2 unfinished now\nKeep 3\n")) << output.toStdString();

    // Ctrl-C shows the last line, which never got its newline, rather than losing it.
    ::kill(pid_t(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(10'000));
    output += process.readAllStandardOutput();
    EXPECT_EQ(output, "keep 1\nkeep 2 unfinished now\nKeep 3\nkeep 4\n");
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
}
