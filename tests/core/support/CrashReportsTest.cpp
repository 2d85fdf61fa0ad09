#include "core/support/CrashReports.h"

#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

class CrashReportsTest : public ::testing::Test
{
protected:
    void report(const QString& name, const QByteArray& content, int ageInMinutes = 0)
    {
        QFile file(writeFileAt(folder.filePath(name), content));
        EXPECT_TRUE(
            file.open(QIODevice::ReadWrite) &&
            file.setFileTime(now.addSecs(-60 * ageInMinutes), QFileDevice::FileModificationTime));
    }
    QString fifo(const QString& name)
    {
        const QString path = folder.filePath(name);
        EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        return path;
    }
    QStringList found() const
    {
        QStringList names;
        for (const auto& report : CrashReports::recent(25, folder.path()))
            names.append(QFileInfo(report.url.toLocalFile()).fileName());
        return names;
    }

    QTemporaryDir folder;
    const QDateTime now = QDateTime::currentDateTimeUtc();
};

} // namespace

TEST_F(CrashReportsTest, OfThirtyMatchesTheTwentyFiveNewestComeNewestFirst)
{
    QStringList newest;
    for (int age = 29; age >= 0; --age) {
        report(u"Zentrope-%1.ips"_s.arg(age), "x", age);
        newest.prepend(u"Zentrope-%1.ips"_s.arg(age));
    }
    EXPECT_EQ(found(), newest.first(25));
    EXPECT_EQ(CrashReports::recent(1, folder.path()).value(0).createdAt.toSecsSinceEpoch(),
              now.toSecsSinceEpoch());
}

// Equal dates keep the order in which the folder lists its entries.
TEST_F(CrashReportsTest, ReportsOfEqualDatesKeepTheFoldersOrder)
{
    for (int i = 0; i < 25; ++i)
        report(u"Zentrope-%1.ips"_s.arg(i), "x");
    EXPECT_EQ(found(), QDir(folder.path()).entryList(QDir::Files, QDir::Unsorted));
}

// A dangling link has no date to be had.
TEST_F(CrashReportsTest, AReportWithoutADateComesLast)
{
    ASSERT_TRUE(
        QFile::link(folder.filePath(u"gone"_s), folder.filePath(u"Zentrope-undated.ips"_s)));
    report(u"Zentrope-old.ips"_s, "x", 60 * 24 * 365 * 30);
    EXPECT_EQ(found(), (QStringList{u"Zentrope-old.ips"_s, u"Zentrope-undated.ips"_s}));
}

TEST_F(CrashReportsTest, ANameInAnyCaseSelectsWithoutOpeningAndFifosNeverBlock)
{
    // Opening either would fail the content test: binary bytes, a FIFO with no writer.
    report(u"ZENTROPE_2026-01-05-101010.crash"_s, QByteArray("\xFF\xFE\x00", 3), 1);
    fifo(u"zEnTrOpE.pipe"_s);
    report(u"Other_2026-01-05.ips"_s, QByteArray("\xFF\xFE\x00", 3));
    // Neither is opened at all; returning is the test.
    ASSERT_TRUE(QFile::link(fifo(u"report.fifo"_s), folder.filePath(u"link.ips"_s)));
    EXPECT_EQ(found(), (QStringList{u"zEnTrOpE.pipe"_s, u"ZENTROPE_2026-01-05-101010.crash"_s}));
}

// A mark in any case is the crash_report fuzz target's rule (seed by-mixed-case.txt).
TEST_F(CrashReportsTest, OnlyTheFirst2048BytesAreSearchedForAMark)
{
    report(u"daemon.ips"_s, QByteArray(2000, 'a') + "Process: com.zentrope.daemon", 1);
    report(u"late.ips"_s, QByteArray(2048, 'a') + "Zentrope");
    report(u"straddling.ips"_s, QByteArray(2044, 'a') + "Zentrope");
    report(u"none.ips"_s, "Prism crashed");
    EXPECT_EQ(found(), QStringList{u"daemon.ips"_s});
}

TEST_F(CrashReportsTest, TextMustBeUtf8ButACharacterCutAtTheLimitIsForgiven)
{
    report(u"latin1.ips"_s, "Zentrope caf\xE9 crashed", 1);
    // "é" is two bytes; its first one is byte 2,048.
    report(u"cut.ips"_s, "Zentrope " + QByteArray(2038, 'a') + "\xC3\xA9 more", 2);
    report(u"short.ips"_s, "Zentrope \xC3", 3); // the file itself ends mid-character
    EXPECT_EQ(found(), QStringList{u"cut.ips"_s});
}

TEST_F(CrashReportsTest, HiddenEntriesAndAMissingFolderGiveNothing)
{
    EXPECT_EQ(CrashReports::reportsDirectory(),
              QDir::homePath() + u"/Library/Logs/DiagnosticReports"_s);
    EXPECT_TRUE(CrashReports::recent(25, folder.filePath(u"missing"_s)).isEmpty());
    report(u".zentrope-hidden.ips"_s, "Zentrope");
    EXPECT_TRUE(found().isEmpty());
}
