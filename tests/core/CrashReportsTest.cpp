#include "core/CrashReports.h"

#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class CrashReportsTest : public ::testing::Test
{
protected:
    QString report(const QString& name, const QByteArray& content, int ageInMinutes = 0)
    {
        const QString path = writeFileAt(folder.filePath(name), content);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        EXPECT_TRUE(
            file.setFileTime(now.addSecs(-60 * ageInMinutes), QFileDevice::FileModificationTime));
        return path;
    }
    QString fifo(const QString& name)
    {
        const QString path = folder.filePath(name);
        EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        return path;
    }
    QStringList foundNames(int limit = 25) const
    {
        QStringList names;
        for (const auto& found : CrashReports::recent(limit, folder.path()))
            names.append(QFileInfo(found.url.toLocalFile()).fileName());
        return names;
    }

    QTemporaryDir folder;
    const QDateTime now = QDateTime::currentDateTimeUtc();
};

} // namespace

TEST_F(CrashReportsTest, TheFolderIsTheOneInTheUsersHome)
{
    EXPECT_EQ(CrashReports::reportsDirectory(),
              QDir::homePath() + QStringLiteral("/Library/Logs/DiagnosticReports"));
}

TEST_F(CrashReportsTest, OfThirtyMatchesTheTwentyFiveNewestComeNewestFirst)
{
    for (int age = 0; age < 30; ++age)
        report(QStringLiteral("Zentrope-%1.ips").arg(age, 2, 10, QChar(u'0')), "x", 29 - age);
    const QList<CrashReports::Report> found = CrashReports::recent(25, folder.path());
    ASSERT_EQ(found.size(), 25);
    EXPECT_EQ(found.first().url,
              QUrl::fromLocalFile(folder.filePath(QStringLiteral("Zentrope-29.ips"))));
    EXPECT_EQ(found.last().url,
              QUrl::fromLocalFile(folder.filePath(QStringLiteral("Zentrope-05.ips"))));
    EXPECT_EQ(found.first().createdAt.toSecsSinceEpoch(), now.toSecsSinceEpoch());
    for (qsizetype i = 1; i < found.size(); ++i)
        EXPECT_GT(found[i - 1].createdAt, found[i].createdAt);
}

TEST_F(CrashReportsTest, ANameInAnyCaseSelectsWithoutOpening)
{
    // Opening either would fail the content test: binary bytes, a FIFO with no writer.
    report(QStringLiteral("ZENTROPE_2026-01-05-101010.crash"), QByteArray("\xFF\xFE\x00", 3));
    fifo(QStringLiteral("zEnTrOpE.pipe"));
    report(QStringLiteral("Other_2026-01-05.ips"), QByteArray("\xFF\xFE\x00", 3));
    QStringList names = foundNames();
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("ZENTROPE_2026-01-05-101010.crash"),
                                  QStringLiteral("zEnTrOpE.pipe")}));
}

TEST_F(CrashReportsTest, OnlyTheFirst2048BytesAreSearchedForEitherMark)
{
    const QByteArray filler(2000, 'a');
    report(QStringLiteral("daemon.ips"), filler + "Process: com.zentrope.daemon", 1);
    report(QStringLiteral("mixed.ips"), "Host: zenTROPE helper", 2);
    report(QStringLiteral("late.ips"), QByteArray(2048, 'a') + "Zentrope");
    report(QStringLiteral("straddling.ips"), QByteArray(2044, 'a') + "Zentrope");
    report(QStringLiteral("none.ips"), "Prism crashed");
    EXPECT_EQ(foundNames(),
              (QStringList{QStringLiteral("daemon.ips"), QStringLiteral("mixed.ips")}));
}

TEST_F(CrashReportsTest, TextMustBeUtf8ButACharacterCutAtTheLimitIsForgiven)
{
    report(QStringLiteral("latin1.ips"), "Zentrope caf\xE9 crashed", 1);
    // "é" is two bytes; its first one is byte 2,048.
    report(QStringLiteral("cut.ips"), "Zentrope " + QByteArray(2038, 'a') + "\xC3\xA9 more", 2);
    report(QStringLiteral("short.ips"), "Zentrope \xC3", 3); // the file itself ends mid-character
    EXPECT_EQ(foundNames(), QStringList{QStringLiteral("cut.ips")});
}

TEST_F(CrashReportsTest, HiddenEntriesAreNeverConsidered)
{
    report(QStringLiteral(".zentrope-hidden.ips"), "Zentrope");
    report(QStringLiteral(".DS_Store"), "Zentrope");
    EXPECT_TRUE(foundNames().isEmpty());
}

TEST_F(CrashReportsTest, FifosAndLinksToThemAreSkippedWithoutBlocking)
{
    const QString pipe = fifo(QStringLiteral("report.fifo"));
    ASSERT_TRUE(QFile::link(pipe, folder.filePath(QStringLiteral("link.ips"))));
    report(QStringLiteral("real.ips"), "Zentrope");
    EXPECT_EQ(foundNames(),
              QStringList{QStringLiteral("real.ips")}); // returning at all is the test
}

TEST_F(CrashReportsTest, AMissingFolderOrANonPositiveLimitGivesNothing)
{
    report(QStringLiteral("Zentrope.ips"), "x");
    EXPECT_TRUE(CrashReports::recent(25, folder.filePath(QStringLiteral("missing"))).isEmpty());
    EXPECT_TRUE(foundNames(0).isEmpty());
    EXPECT_EQ(foundNames(1).size(), 1);
}
