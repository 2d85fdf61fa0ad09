// `zentropectl crash-reports`, in-process; which reports count is CrashReports'.
#include "support/InProcessCli.h"
#include "support/Printers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(CrashReportsCommand, PrintsLocalTimeThenPathNewestFirstUpToTheLimit)
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
    const CliRun all = cli.run(u"crash-reports"_s);
    EXPECT_EQ(all.exitCode, 0);
    EXPECT_EQ(all.out, u"2026-01-05 09:53:04  %1\n2026-01-05 09:52:04  %2\n"_s.arg(second, first));
    EXPECT_EQ(cli.run(u"crash-reports --limit 1"_s).out,
              u"2026-01-05 09:53:04  %1\n"_s.arg(second));

    // A name is one line on the terminal, whatever it holds.
    const QString hostile = report(u"Zentrope\x1b[2J\r\nforged.ips"_s, older.addSecs(120));
    EXPECT_EQ(cli.run(u"crash-reports --limit 1"_s).out,
              u"2026-01-05 09:54:04  %1/%2\n"_s.arg(QFileInfo(hostile).path(),
                                                    u"Zentrope\\x1b[2J\\r\\nforged.ips"_s));
}
