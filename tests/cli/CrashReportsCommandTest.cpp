// `zentropectl crash-reports`, run as a real process with a throwaway home.
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Zentropectl.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CrashReportsCommand, PrintsTimeThenPathNewestFirstUpToAPositiveLimit)
{
    QTemporaryDir home;
    TestBundle bundle;
    const auto run = [&](const QStringList& options) {
        return runZentropectl(bundle, home.path(),
                              QStringList{QStringLiteral("crash-reports")} + options);
    };
    const auto report = [&](const char* name, const QDateTime& modified) {
        QFile file(writeFileAt(home.filePath(QStringLiteral("Library/Logs/DiagnosticReports/") +
                                             QString::fromUtf8(name)),
                               "x"));
        EXPECT_TRUE(file.open(QIODevice::ReadWrite) &&
                    file.setFileTime(modified, QFileDevice::FileModificationTime));
        return file.fileName();
    };
    EXPECT_EQ(run({}).out, QStringLiteral("No crash reports mentioning Zentrope.\n"));
    const QDateTime older(QDate(2026, 1, 5), QTime(9, 52, 4), Qt::LocalTime);
    const QString first = report("Zentrope-a.ips", older);
    const QString second = report("Zentrope-b.ips", older.addSecs(60));
    const ToolRun result = run({});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(
        result.out,
        QStringLiteral("2026-01-05 09:53:04  %1\n2026-01-05 09:52:04  %2\n").arg(second, first));
    EXPECT_EQ(run({QStringLiteral("--limit"), QStringLiteral("1")}).out.count(u'\n'), 1);

    for (const char* limit : {"0", "-3", "many", ""}) {
        const ToolRun refused = run({QStringLiteral("--limit"), QString::fromUtf8(limit)});
        EXPECT_EQ(refused.exitCode, 2) << limit;
        EXPECT_TRUE(refused.err.startsWith(QStringLiteral("zentropectl: --limit needs"))) << limit;
    }
}
