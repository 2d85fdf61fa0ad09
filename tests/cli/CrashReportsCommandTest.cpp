// `zentropectl crash-reports`, run as a real process with a throwaway home.
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Zentropectl.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CrashReportsCommandTest : public ::testing::Test
{
protected:
    QString report(const QString& name, const QDateTime& modified)
    {
        const QString path = writeFileAt(
            home.filePath(QStringLiteral("Library/Logs/DiagnosticReports/") + name), "x");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        EXPECT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
        return path;
    }
    ToolRun run(const QStringList& arguments)
    {
        return runZentropectl(bundle, home.path(),
                              QStringList{QStringLiteral("crash-reports")} + arguments);
    }

    QTemporaryDir home;
    TestBundle bundle;
};

} // namespace

TEST_F(CrashReportsCommandTest, NoReportsSaysSo)
{
    const ToolRun result = run({});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, QStringLiteral("No crash reports mentioning Zentrope.\n"));
}

TEST_F(CrashReportsCommandTest, PrintsTimeThenPathNewestFirstUpToTheLimit)
{
    const QDateTime older = QDateTime(QDate(2026, 1, 5), QTime(9, 52, 4), Qt::LocalTime);
    const QString first = report(QStringLiteral("Zentrope-a.ips"), older);
    const QString second = report(QStringLiteral("Zentrope-b.ips"), older.addSecs(60));
    EXPECT_EQ(
        run({}).out,
        QStringLiteral("2026-01-05 09:53:04  %1\n2026-01-05 09:52:04  %2\n").arg(second, first));
    EXPECT_EQ(run({QStringLiteral("--limit"), QStringLiteral("1")}).out.count(u'\n'), 1);
}

TEST_F(CrashReportsCommandTest, ALimitThatIsNotAPositiveNumberIsAUsageError)
{
    for (const char* limit : {"0", "-3", "many", ""}) {
        const ToolRun result = run({QStringLiteral("--limit"), QString::fromUtf8(limit)});
        EXPECT_EQ(result.exitCode, 2) << limit;
        EXPECT_TRUE(result.err.startsWith(QStringLiteral("zentropectl: --limit needs"))) << limit;
        EXPECT_TRUE(result.out.isEmpty());
    }
}
