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
    QStringList found(int limit = 25) const
    {
        QStringList names;
        for (const auto& report : CrashReports::recent(limit, folder.path()))
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
    const auto first = CrashReports::recent(1, folder.path());
    ASSERT_EQ(first.size(), 1);
    EXPECT_EQ(first[0].createdAt.toSecsSinceEpoch(), now.toSecsSinceEpoch());
    EXPECT_EQ(first[0].url, QUrl::fromLocalFile(folder.filePath(u"Zentrope-0.ips"_s)));
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

TEST_F(CrashReportsTest, OnlyTheFirst2048BytesAreSearchedForEitherMark)
{
    report(u"daemon.ips"_s, QByteArray(2000, 'a') + "Process: com.zentrope.daemon", 1);
    report(u"mixed.ips"_s, "Host: zenTROPE helper", 2);
    report(u"late.ips"_s, QByteArray(2048, 'a') + "Zentrope");
    report(u"straddling.ips"_s, QByteArray(2044, 'a') + "Zentrope");
    report(u"none.ips"_s, "Prism crashed");
    EXPECT_EQ(found(), (QStringList{u"daemon.ips"_s, u"mixed.ips"_s}));
}

TEST_F(CrashReportsTest, TextMustBeUtf8ButACharacterCutAtTheLimitIsForgiven)
{
    report(u"latin1.ips"_s, "Zentrope caf\xE9 crashed", 1);
    // "é" is two bytes; its first one is byte 2,048.
    report(u"cut.ips"_s, "Zentrope " + QByteArray(2038, 'a') + "\xC3\xA9 more", 2);
    report(u"short.ips"_s, "Zentrope \xC3", 3); // the file itself ends mid-character
    EXPECT_EQ(found(), QStringList{u"cut.ips"_s});
}

TEST_F(CrashReportsTest, HiddenEntriesAMissingFolderAndNoRoomGiveNothing)
{
    EXPECT_EQ(CrashReports::reportsDirectory(),
              QDir::homePath() + u"/Library/Logs/DiagnosticReports"_s);
    EXPECT_TRUE(CrashReports::recent(25, folder.filePath(u"missing"_s)).isEmpty());
    report(u".zentrope-hidden.ips"_s, "Zentrope");
    report(u".DS_Store"_s, "Zentrope");
    EXPECT_TRUE(found().isEmpty());
    report(u"Zentrope.ips"_s, "x");
    EXPECT_TRUE(found(0).isEmpty());
}
