// `zentropectl crash-reports` and `diagnostics`: what they print and how they exit.
#include "core/base/ByteCountFormatter.h"
#include "support/InProcessCli.h"
#include "support/Printers.h"
#include "support/ScopedEnvironment.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(SupportCommands, CrashReportsPrintsLocalTimeThenPathNewestFirstUpToTheLimit)
{
    InProcessCli cli;
    EXPECT_EQ(cli.run(u"crash-reports"_s).out, u"No crash reports mentioning Zentrope.\n"_s);
    const auto report = [](const QString& name, const QDateTime& modified) {
        QFile file(
            writeFileAt(QDir::homePath() + u"/Library/Logs/DiagnosticReports/"_s + name, "x"));
        EXPECT_TRUE(file.open(QIODevice::ReadWrite) &&
                    file.setFileTime(modified, QFileDevice::FileModificationTime));
        return file.fileName();
    };
    const QDateTime older(QDate(2026, 1, 5), QTime(9, 52, 4), Qt::LocalTime);
    const QString first = report(u"Zentrope-a.ips"_s, older);
    const QString second = report(u"Zentrope-b.ips"_s, older.addSecs(60));
    EXPECT_EQ(outcome(cli.run(u"crash-reports"_s)),
              u"0|2026-01-05 09:53:04  %1\n2026-01-05 09:52:04  %2\n|"_s.arg(second, first));

    // A name is one line on the terminal, whatever it holds.
    const QString hostile = report(u"Zentrope\x1b[2J\r\nforged.ips"_s, older.addSecs(120));
    EXPECT_EQ(cli.run(u"crash-reports --limit 1"_s).out,
              u"2026-01-05 09:54:04  %1/%2\n"_s.arg(QFileInfo(hostile).path(),
                                                    u"Zentrope\\x1b[2J\\r\\nforged.ips"_s));
}

TEST(SupportCommands, DiagnosticsPrintsTheArchivesPathAndSizeOrTheFailure)
{
    InProcessCli cli;
    const CliRun made = cli.run(u"diagnostics"_s);
    EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
    const QStringList lines = made.out.split(u'\n');
    ASSERT_EQ(lines.size(), 3) << made.out.toStdString(); // two lines, each ended
    EXPECT_TRUE(lines[0].endsWith(u".zip"_s) && QFileInfo(lines[0]).isFile())
        << lines[0].toStdString();
    EXPECT_EQ(lines[1], ByteCountFormatter::fileString(QFileInfo(lines[0]).size()));

    QTemporaryDir folder;
    // A temporary directory that is a file: the run's folder cannot be made.
    const QString notAFolder = writeFileAt(folder.filePath(u"tmp"_s), "");
    ScopedEnvironment environment("TMPDIR", notAFolder.toUtf8());
    EXPECT_TRUE(
        outcome(cli.run(u"diagnostics"_s))
            .startsWith(u"1||Couldn’t create the folder “"_s + notAFolder + u"/zentrope-"_s));
}
