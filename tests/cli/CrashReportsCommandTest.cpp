// `zentropectl crash-reports`, in-process; which reports count is CrashReports'.
#include "support/InProcessCli.h"
#include "support/Printers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
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
}
