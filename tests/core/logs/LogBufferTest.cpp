#include "core/logs/LogBuffer.h"

#include "core/logs/LineFilter.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace {

QString lines(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list.append(QString::fromUtf8(item));
    return list.join(u'\n');
}

} // namespace

TEST(LogBuffer, ABufferOfExactlyTheBoundStaysAndOneByteMoreHalvesIt)
{
    LogBuffer buffer;
    buffer.replace(QString(LogBuffer::maxBytes - 1, u'a'));
    EXPECT_FALSE(buffer.append(u"b"));
    EXPECT_EQ(buffer.utf8Size(), 1'048'576);
    EXPECT_TRUE(buffer.append(u"c"));
    EXPECT_EQ(buffer.text().size(), 524'288);
    EXPECT_TRUE(buffer.text().endsWith(QStringLiteral("abc")));
}

TEST(LogBuffer, WideTextIsTrimmedBelowTheBoundToo)
{
    // 524,288 characters of three bytes would still be 1.5 MiB, over the bound.
    LogBuffer buffer;
    buffer.replace(QString(349'525, u'€') + u'x'); // 1,048,576 bytes
    EXPECT_TRUE(buffer.append(u"y"));
    EXPECT_LE(buffer.utf8Size(), LogBuffer::trimmedBytes);
    EXPECT_EQ(buffer.utf8Size(), LogBuffer::utf8Size(buffer.text()));
    EXPECT_TRUE(buffer.text().endsWith(QStringLiteral("€xy")));
    EXPECT_FALSE(buffer.append(u"z")); // no trim on every append from now on
}

TEST(LogBuffer, TheCutNeverSplitsACharacter)
{
    // "e" + combining acute accent (3 bytes of UTF-8), and an emoji (a surrogate pair).
    for (const QString& unit : {QStringLiteral("e\u0301"), QStringLiteral("😀")}) {
        LogBuffer buffer;
        while (!buffer.append(unit)) {
        }
        EXPECT_TRUE(buffer.text().startsWith(unit));
        EXPECT_LE(buffer.utf8Size(), LogBuffer::trimmedBytes);
    }
}

TEST(LogBuffer, TheFilterKeepsMatchingLinesIgnoringCase)
{
    LogBuffer buffer(QLocale(QLocale::English));
    buffer.replace(lines({"INFO started", "", "error: Disk", "Größe OK", "ÉCHEC de l’envoi", "x"}));
    EXPECT_EQ(buffer.filtered({}), buffer.text());
    EXPECT_EQ(buffer.filtered(QStringLiteral("eRRor")), QStringLiteral("error: Disk"));
    EXPECT_EQ(buffer.filtered(QStringLiteral("GRÖSSE")), QStringLiteral("Größe OK"));
    EXPECT_EQ(buffer.filtered(QStringLiteral("échec")), QStringLiteral("ÉCHEC de l’envoi"));
    EXPECT_EQ(buffer.filtered(QStringLiteral("s")),
              lines({"INFO started", "error: Disk", "Größe OK"}));
    EXPECT_EQ(buffer.filtered(QStringLiteral(" ok")), QStringLiteral("Größe OK")); // spaces count
    EXPECT_EQ(buffer.filtered(QStringLiteral("nowhere")), QString());
}

TEST(LogBuffer, ALineArrivingInPiecesIsMatchedAsOneLine)
{
    LogBuffer buffer;
    buffer.append(u"warn: one\nerr");
    EXPECT_EQ(buffer.filtered(QStringLiteral("error")), QString());
    buffer.append(u"or: two\nwarn: three");
    EXPECT_EQ(buffer.filtered(QStringLiteral("error")), QStringLiteral("error: two"));
    EXPECT_EQ(buffer.filtered(QStringLiteral("warn")), lines({"warn: one", "warn: three"}));
    buffer.replace({});
    EXPECT_EQ(buffer.filtered(QStringLiteral("warn")), QString());
    EXPECT_EQ(buffer.filtered({}), QString());
}

TEST(LineFilter, FollowsTheLocalesCaseRules)
{
    const QString text = lines({"İstanbul", "ISPARTA", "ılık"});
    EXPECT_EQ(LineFilter(QStringLiteral("istanbul"), QLocale(QLocale::Turkish)).select(text),
              QStringLiteral("İstanbul"));
    // In Turkish the capital of "ı" is "I", not the capital of "i".
    EXPECT_EQ(LineFilter(QStringLiteral("ı"), QLocale(QLocale::Turkish)).select(text),
              lines({"ISPARTA", "ılık"}));
    EXPECT_TRUE(
        LineFilter(QStringLiteral("Isparta"), QLocale(QLocale::English)).matches(u"ISPARTA"));
}
