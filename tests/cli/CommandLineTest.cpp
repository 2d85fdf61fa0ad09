// zentropectl's command line as a whole, in-process where no real process is needed.
#include "cli/CommandLine.h"

#include "core/office/OfficeHost.h"
#include "support/InProcessCli.h"
#include "support/Printers.h"
#include "support/ScopedEnvironment.h"
#include "support/TestServer.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(CommandLine, UsageErrorsSayWhyOnOneLineAndExitTwo)
{
    // What the user typed is quoted with its line breaks escaped.
    InProcessCli cli;
    const std::pair<QStringList, QString> cases[] = {
        {{}, u"missing command (see zentropectl --help)"_s},
        {{u"no-such\ncommand"_s},
         u"unknown command 'no-such\\ncommand' (see zentropectl --help)"_s},
        {{u"--bogus"_s}, u"unknown option '--bogus'"_s},
        {{u"daemon"_s, u"extra"_s}, u"daemon takes no arguments"_s},
        {{u"daemon"_s, u"--bogus"_s}, u"Unknown option 'bogus'."_s},
        {{u"status"_s, u"--json"_s, u"--watch"_s}, u"--json does not go with --watch"_s},
        {{u"login-item"_s, u"maybe"_s}, u"login-item takes 'on' or 'off', or nothing"_s},
        {{u"crash-reports"_s, u"--limit"_s, u"0"_s},
         u"--limit needs a whole number of at least 1, not '0'"_s},
        {{u"sideload"_s, u"reinstall"_s},
         u"sideload takes one action: status, install or remove"_s},
        {{u"sideload"_s, u"install"_s, u"--host"_s, u"Wo\nrd"_s},
         u"unknown host 'Wo\\nrd' (use word, excel or powerpoint)"_s},
        {{u"sideload"_s, u"status"_s, u"--manifest"_s, u"m.xml"_s},
         u"--manifest does not go with sideload status"_s},
        {{u"sideload"_s, u"install"_s, u"--manifest"_s, QString()}, u"--manifest needs a file"_s},
        {{u"update"_s, u"check"_s, u"now"_s}, u"update needs 'check' or 'beta [on|off]'"_s},
        {{u"update"_s, u"beta"_s, u"maybe"_s}, u"update beta takes 'on' or 'off', not 'maybe'"_s},
    };
    for (const auto& [arguments, reason] : cases) {
        const CliRun run = cli.run(arguments);
        const std::string words = arguments.join(u' ').toStdString();
        EXPECT_EQ(run.exitCode, 2) << words;
        EXPECT_EQ(run.out, QString()) << words;
        EXPECT_EQ(run.err, u"zentropectl: "_s + reason + u'\n') << words;
    }
    // Refused before anything was done.
    EXPECT_FALSE(QFileInfo::exists(OfficeHost(OfficeHost::word).containerDirectory()));
    EXPECT_EQ(cli.fakes.loginItem->registrations + cli.fakes.loginItem->unregistrations, 0);
    EXPECT_EQ(cli.fakes.updateFramework->controllersMade(), 0);
}

TEST(CommandLine, HelpListsEveryCommandAndEachCommandHasItsOwn)
{
    InProcessCli cli;
    const CliRun overview = cli.run(u"--help"_s);
    EXPECT_EQ(overview.exitCode, 0);
    for (const auto& command : allCommands())
        EXPECT_TRUE(overview.out.contains(u"  "_s + command->name() + u' '));
    const QString logsHelp = cli.run(u"logs --help"_s).out;
    EXPECT_TRUE(logsHelp.startsWith(u"Usage: zentropectl logs [options]\nPrint the daemon's log"_s))
        << logsHelp.toStdString();
}

// A HOME that names no folder would put every file somewhere else ("//Library/…").
TEST(CommandLine, AHomeThatNamesNoFolderIsRefusedBeforeAnyCommandRuns)
{
    InProcessCli cli;
    ScopedEnvironment environment("HOME", "");
    const CliRun run = cli.run(u"sideload install"_s);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(run.err,
              u"zentropectl: HOME is empty. Set HOME to your home folder and try again.\n"_s);
    EXPECT_EQ(cli.run(u"--version"_s).exitCode, 0) << "no command, no home needed";
}

// Only the real process sees its arguments' bytes.
TEST(CommandLine, AnArgumentThatIsNotUtf8IsRefusedNotReadAsAnotherName)
{
    QProcess tool;
    tool.start(u"/bin/sh"_s, {u"-c"_s,
                              u"exec \"$0\" sideload install --manifest "
                              u"\"$(printf '/tmp/m\\377.xml')\""_s,
                              QStringLiteral(ZENTROPECTL_PATH)});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 2);
    EXPECT_EQ(tool.readAllStandardError(),
              "zentropectl: The argument \xe2\x80\x9c/tmp/m\\xff.xml\xe2\x80\x9d is not valid "
              "UTF-8; file names and other words are read as UTF-8.\n");
}

// Only the real process has the signal dispositions its main sets.
TEST(CommandLine, AWriteBeyondTheFileSizeLimitIsReportedNotDiedOf)
{
    QTemporaryDir home;
    QDir().mkpath(home.filePath(u"Library/Containers/com.microsoft.Word"_s));
    const QString manifest =
        writeFileAt(home.filePath(u"manifest.xml"_s), QByteArray(64 * 1024, 'm'));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, home.path());
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.start(u"/bin/sh"_s,
               {u"-c"_s, u"ulimit -f 16; exec \"$0\" sideload install --manifest \"$1\""_s,
                QStringLiteral(ZENTROPECTL_PATH), manifest});
    ASSERT_TRUE(tool.waitForFinished(30000));
    ASSERT_EQ(tool.exitStatus(), QProcess::NormalExit) << "killed by SIGXFSZ";
    EXPECT_EQ(tool.exitCode(), 1);
    EXPECT_TRUE(tool.readAllStandardError().endsWith(
        "/Library/Containers/com.microsoft.Word/Data/Documents/wef/zentrope.manifest.xml"
        "\xe2\x80\x9d: File too large\n"));
}

// Every command that prints fails when it cannot; one that would go on stops at once.
TEST(CommandLine, OutputThatCannotBeWrittenIsReportedAndFailsEveryCommand)
{
    InProcessCli cli;
    TestServer daemon(TestServer::Serves::plainHttp);
    daemon.setAnswer(200, R"({"ok": true, "version": "1", "activeSessions": 0,
        "permissions": {"prismAutomation": "granted", "systemEventsAutomation": "granted"}})");
    cli.daemon.port = daemon.port();
    QTemporaryDir logs;
    cli.daemon.logDirectory = logs.path();
    writeFileAt(logs.filePath(u"daemon.log"_s), "a line\n");
    cli.bundle.writeFile(u"Resources/setup/manifest.xml"_s, "<manifest/>");
    cli.bundle.writeFile(u"Resources/setup/install-localhost-cert.sh"_s, "echo made\n");
    QDir().mkpath(OfficeHost(OfficeHost::word).containerDirectory());
    cli.standardOutputFull = true;
    // Were the watch to ignore the failure, this ends it, with success.
    QTimer interrupt;
    interrupt.callOnTimeout([] { std::raise(SIGINT); });
    interrupt.start(10000);

    for (const QString& words :
         {u"--help"_s,           u"--version"_s,       u"sideload"_s,       u"sideload --json"_s,
          u"sideload install"_s, u"sideload remove"_s, u"flush-caches"_s,   u"quit-hosts"_s,
          u"status"_s,           u"status --json"_s,   u"status --watch"_s, u"crash-reports"_s,
          u"update check"_s,     u"update beta on"_s,  u"logs"_s,           u"logs --filter line"_s,
          u"doctor"_s,           u"doctor --json"_s,   u"login-item"_s,     u"install-cert"_s,
          u"diagnostics"_s}) {
        const CliRun run = cli.run(words);
        EXPECT_EQ(run.exitCode, 1) << words.toStdString();
        EXPECT_TRUE(run.err.endsWith(
            u"zentropectl: cannot write to standard output: No space left on device\n"_s))
            << words.toStdString() << ": " << run.err.toStdString();
    }
}
