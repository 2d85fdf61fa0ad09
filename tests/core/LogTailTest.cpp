#include "core/LogTail.h"

#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype mebibyte = LogTail::maximumBytes;

class LogTailTest : public ::testing::Test
{
protected:
    QString write(const QByteArray& content) const
    {
        return writeFileAt(folder.filePath(u"daemon.log"_s), content);
    }

    QTemporaryDir folder;
};

TEST_F(LogTailTest, KeepsTheLastMebibyteOfALargeFileAndAllOfOneThatFits)
{
    QByteArray large(5'000'000, 'a');
    large.replace(large.size() - mebibyte, 1, "B"); // the first byte that belongs to the tail
    const auto tail = LogTail::read(write(large));
    ASSERT_TRUE(tail);
    EXPECT_TRUE(tail->cut);
    EXPECT_EQ(tail->bytes, large.right(mebibyte));

    const QByteArray exact(mebibyte, 'z');
    const auto whole = LogTail::read(write(exact));
    ASSERT_TRUE(whole);
    EXPECT_FALSE(whole->cut);
    EXPECT_EQ(whole->bytes, exact);
}

TEST_F(LogTailTest, ACharacterSplitByTheCutIsDroppedAndInvalidBytesBecomeReplacements)
{
    // "é€" is 2 + 3 bytes; a cut after the first byte of € leaves two orphans.
    const QByteArray text = "é€ok";
    const LogTail cut{text.mid(3), true};
    EXPECT_EQ(cut.text(), u"ok"_s);

    const LogTail uncut{text.mid(3), false};
    EXPECT_EQ(uncut.text(), u"\uFFFD\uFFFDok"_s) << "only a cut excuses leading orphans";
    const LogTail invalid{"a\xff"
                          "b\xc3",
                          true};
    EXPECT_EQ(invalid.text(), u"a\uFFFDb\uFFFD"_s);
}

TEST_F(LogTailTest, MissingFilesAndFifosGiveNothingWithoutBlocking)
{
    EXPECT_FALSE(LogTail::read(folder.filePath(u"absent.log"_s)));
    const QString fifo = folder.filePath(u"fifo.log"_s);
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    EXPECT_FALSE(LogTail::read(fifo));
    EXPECT_FALSE(LogTail::read(folder.path())) << "a folder is no log";
}

} // namespace
