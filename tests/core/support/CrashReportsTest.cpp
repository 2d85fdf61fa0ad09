#include "core/support/CrashReports.h"

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
        report(QStringLiteral("Zentrope-%1.ips").arg(age), "x", age);
        newest.prepend(QStringLiteral("Zentrope-%1.ips").arg(age));
    }
    EXPECT_EQ(found(), newest.first(25));
    const auto first = CrashReports::recent(1, folder.path());
    ASSERT_EQ(first.size(), 1);
    EXPECT_EQ(first[0].createdAt.toSecsSinceEpoch(), now.toSecsSinceEpoch());
    EXPECT_EQ(first[0].url, QUrl::fromLocalFile(folder.filePath(QStringLiteral("Zentrope-0.ips"))));
}

TEST_F(CrashReportsTest, ANameInAnyCaseSelectsWithoutOpeningAndFifosNeverBlock)
{
    // Opening either would fail the content test: binary bytes, a FIFO with no writer.
    report(QStringLiteral("ZENTROPE_2026-01-05-101010.crash"), QByteArray("\xFF\xFE\x00", 3), 1);
    fifo(QStringLiteral("zEnTrOpE.pipe"));
    report(QStringLiteral("Other_2026-01-05.ips"), QByteArray("\xFF\xFE\x00", 3));
    // Neither is opened at all; returning is the test.
    ASSERT_TRUE(QFile::link(fifo(QStringLiteral("report.fifo")),
                            folder.filePath(QStringLiteral("link.ips"))));
    EXPECT_EQ(found(), (QStringList{QStringLiteral("zEnTrOpE.pipe"),
                                    QStringLiteral("ZENTROPE_2026-01-05-101010.crash")}));
}

TEST_F(CrashReportsTest, OnlyTheFirst2048BytesAreSearchedForEitherMark)
{
    report(QStringLiteral("daemon.ips"), QByteArray(2000, 'a') + "Process: com.zentrope.daemon", 1);
    report(QStringLiteral("mixed.ips"), "Host: zenTROPE helper", 2);
    report(QStringLiteral("late.ips"), QByteArray(2048, 'a') + "Zentrope");
    report(QStringLiteral("straddling.ips"), QByteArray(2044, 'a') + "Zentrope");
    report(QStringLiteral("none.ips"), "Prism crashed");
    EXPECT_EQ(found(), (QStringList{QStringLiteral("daemon.ips"), QStringLiteral("mixed.ips")}));
}

TEST_F(CrashReportsTest, TextMustBeUtf8ButACharacterCutAtTheLimitIsForgiven)
{
    report(QStringLiteral("latin1.ips"), "Zentrope caf\xE9 crashed", 1);
    // "é" is two bytes; its first one is byte 2,048.
    report(QStringLiteral("cut.ips"), "Zentrope " + QByteArray(2038, 'a') + "\xC3\xA9 more", 2);
    report(QStringLiteral("short.ips"), "Zentrope \xC3", 3); // the file itself ends mid-character
    EXPECT_EQ(found(), QStringList{QStringLiteral("cut.ips")});
}

TEST_F(CrashReportsTest, HiddenEntriesAMissingFolderAndNoRoomGiveNothing)
{
    EXPECT_EQ(CrashReports::reportsDirectory(),
              QDir::homePath() + QStringLiteral("/Library/Logs/DiagnosticReports"));
    EXPECT_TRUE(CrashReports::recent(25, folder.filePath(QStringLiteral("missing"))).isEmpty());
    report(QStringLiteral(".zentrope-hidden.ips"), "Zentrope");
    report(QStringLiteral(".DS_Store"), "Zentrope");
    EXPECT_TRUE(found().isEmpty());
    report(QStringLiteral("Zentrope.ips"), "x");
    EXPECT_TRUE(found(0).isEmpty());
}
