#include "core/LogTail.h"

#include "support/Printers.h"
#include "support/TestBundle.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

TEST(LogTail, KeepsTheLastMebibyteOfALargeFileAndAllOfOneThatFits)
{
    QTemporaryDir folder;
    QByteArray large(5'000'000, 'a');
    large[large.size() - LogTail::maximumBytes] = 'B'; // the tail's first byte
    const auto tail = LogTail::read(writeFileAt(folder.filePath(u"large"_s), large));
    ASSERT_TRUE(tail && tail->cut);
    EXPECT_EQ(tail->bytes, large.right(LogTail::maximumBytes));

    const QByteArray exact(LogTail::maximumBytes, 'z');
    const auto whole = LogTail::read(writeFileAt(folder.filePath(u"exact"_s), exact));
    ASSERT_TRUE(whole && !whole->cut);
    EXPECT_EQ(whole->bytes, exact);
}

TEST(LogTail, ACharacterSplitByTheCutIsDroppedAndInvalidBytesBecomeReplacements)
{
    // € is three bytes; a cut after its first leaves two orphans.
    const QByteArray orphans = QByteArray("€ok").mid(1);
    EXPECT_EQ((LogTail{orphans, true}.text()), u"ok"_s);
    EXPECT_EQ((LogTail{orphans, false}.text()), u"\uFFFD\uFFFDok"_s) << "only a cut excuses them";
    const QByteArray invalid("a\xff"
                             "b\xc3");
    EXPECT_EQ((LogTail{invalid, true}.text()), u"a\uFFFDb\uFFFD"_s);
}

TEST(LogTail, MissingFilesFoldersAndFifosGiveNothingWithoutBlocking)
{
    QTemporaryDir folder;
    const QString fifo = folder.filePath(u"fifo"_s);
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    EXPECT_FALSE(LogTail::read(fifo));
    EXPECT_FALSE(LogTail::read(folder.filePath(u"absent"_s)));
    EXPECT_FALSE(LogTail::read(folder.path()));
}
