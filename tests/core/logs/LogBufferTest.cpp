#include "core/logs/LogBuffer.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(LogBuffer, ABufferOfExactlyTheBoundStaysAndOneByteMoreHalvesIt)
{
    LogBuffer buffer;
    buffer.replace(QString(LogBuffer::maxBytes - 1, u'a'));
    EXPECT_FALSE(buffer.append(u"b"));
    EXPECT_EQ(buffer.utf8Size(), 1'048'576);
    EXPECT_TRUE(buffer.append(u"c"));
    EXPECT_EQ(buffer.text().size(), 524'288);
    EXPECT_TRUE(buffer.text().endsWith(u"abc"_s));
}

TEST(LogBuffer, WideTextIsTrimmedBelowTheBoundToo)
{
    // 524,288 characters of three bytes would still be 1.5 MiB, over the bound.
    LogBuffer buffer;
    buffer.replace(QString(349'525, u'€') + u'x'); // 1,048,576 bytes
    EXPECT_TRUE(buffer.append(u"y"));
    EXPECT_LE(buffer.utf8Size(), LogBuffer::trimmedBytes);
    EXPECT_EQ(buffer.utf8Size(), LogBuffer::utf8Size(buffer.text()));
    EXPECT_TRUE(buffer.text().endsWith(u"€xy"_s));
    EXPECT_FALSE(buffer.append(u"z")); // no trim on every append from now on
}

TEST(LogBuffer, TheCutNeverSplitsACharacter)
{
    // "e" + combining acute accent (3 bytes of UTF-8), and an emoji (a surrogate pair).
    for (const QString& unit : {u"e\u0301"_s, u"😀"_s}) {
        LogBuffer buffer;
        while (!buffer.append(unit)) {
        }
        EXPECT_TRUE(buffer.text().startsWith(unit));
        EXPECT_LE(buffer.utf8Size(), LogBuffer::trimmedBytes);
    }
}
