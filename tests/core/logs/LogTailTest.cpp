#include "core/logs/LogTail.h"

#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

constexpr qint64 mebibyte = 1024 * 1024;

// A file of exactly the bound is read whole in LogsModelTest.
TEST(LogTail, KeepsTheLastBytesOfAHugeFile)
{
    QTemporaryDir folder;
    // 64 GiB, nearly all of it a hole: reading it whole could not succeed.
    QFile huge(writeFileAt(folder.filePath(u"huge"_s), {}));
    ASSERT_TRUE(huge.open(QIODevice::Append) && huge.resize((qint64(64) << 30) - mebibyte));
    const QByteArray last = 'B' + QByteArray(mebibyte - 2, 'a') + '\n';
    ASSERT_EQ(huge.write(last), mebibyte);
    huge.close();
    const auto tail = LogTail::read(huge.fileName(), mebibyte);
    ASSERT_TRUE(tail);
    EXPECT_TRUE(tail.value().text == QString::fromLatin1(last)); // no megabyte printed
    EXPECT_EQ(tail.value().start, (qint64(64) << 30) - mebibyte);
    EXPECT_EQ(tail.value().end, qint64(64) << 30);
}

TEST(LogTail, ACharacterSplitByTheCutIsDroppedAndInvalidBytesBecomeReplacements)
{
    QTemporaryDir folder;
    // € is three bytes; a cut after its first leaves two orphans.
    const QString path = writeFileAt(folder.filePath(u"log"_s), "x€ok\xff!");
    const auto tail = LogTail::read(path, 6);
    ASSERT_TRUE(tail);
    EXPECT_EQ(tail.value().text, u"ok\uFFFD!"_s);
}

// FIFOs, folders and missing files are RegularFile's (RegularFileTest).
TEST(LogTail, ALinkAtTheLogsPathIsRefused)
{
    QTemporaryDir folder;
    const QString link = folder.filePath(u"daemon.log"_s);
    // As root, a log linked elsewhere would show a file that is no log of ours.
    ASSERT_TRUE(QFile::link(writeFileAt(folder.filePath(u"secret"_s), "secret\n"), link));
    EXPECT_EQ(LogTail::read(link, mebibyte).error().description,
              u"Is a symbolic link, which is not followed"_s);
}
