#include "core/base/Utf8StreamDecoder.h"

#include "support/Printers.h"

#include <QList>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray mixed = u"a é € 😀 ok\n"_s.toUtf8(); // 1-, 2-, 3- and 4-byte characters

QString decodeInPieces(const QByteArray& bytes, const QList<qsizetype>& cuts)
{
    Utf8StreamDecoder decoder;
    QString text;
    qsizetype from = 0;
    for (qsizetype cut : cuts) {
        text += decoder.decode(QByteArrayView(bytes).sliced(from, cut - from));
        from = cut;
    }
    text += decoder.decode(QByteArrayView(bytes).sliced(from));
    return text + decoder.finish();
}

} // namespace

TEST(Utf8StreamDecoder, ACutAnywhereLosesNothing)
{
    const QString whole = QString::fromUtf8(mixed);
    for (qsizetype cut = 0; cut <= mixed.size(); ++cut)
        EXPECT_EQ(decodeInPieces(mixed, {cut}), whole) << "cut at " << cut;

    QList<qsizetype> everyByte;
    for (qsizetype cut = 1; cut < mixed.size(); ++cut)
        everyByte.append(cut);
    EXPECT_EQ(decodeInPieces(mixed, everyByte), whole);
}

TEST(Utf8StreamDecoder, OnlyInvalidBytesBecomeReplacementCharacters)
{
    const QString replacement(QChar::ReplacementCharacter);
    // A lone continuation byte, an overlong form, a surrogate, a truncated
    // sequence followed by ASCII: each bad byte is replaced, the rest kept.
    const QByteArray bytes = "a\x80"
                             "b\xC0\x80"
                             "c\xED\xA0\x80"
                             "d\xE2\x82"
                             "e";
    const QString expected = u"a"_s + replacement + u'b' + replacement.repeated(2) + u'c' +
                             replacement.repeated(3) + u'd' + replacement.repeated(2) + u'e';
    for (qsizetype cut = 0; cut <= bytes.size(); ++cut)
        EXPECT_EQ(decodeInPieces(bytes, {cut}), expected) << "cut at " << cut;
}

TEST(Utf8StreamDecoder, PendingBytesWaitAndBecomeReplacementsOnlyWhenTheStreamEnds)
{
    Utf8StreamDecoder decoder;
    EXPECT_EQ(decoder.decode("x\xF0\x9F\x98"), u"x"_s);
    EXPECT_EQ(decoder.pendingBytes(), 3);
    EXPECT_EQ(decoder.finish(), QString(3, QChar::ReplacementCharacter));
    EXPECT_EQ(decoder.pendingBytes(), 0);
    // A byte order mark is text, not a signature to strip.
    EXPECT_EQ(decoder.decode("\xEF\xBB\xBFy"), u"\uFEFFy"_s);
}

TEST(Utf8StreamDecoder, AReaderStartingMidCharacterSkipsAtMostThreeBytes)
{
    EXPECT_EQ(Utf8StreamDecoder::orphanedContinuationBytes("\x9F\x98\x80x"), 3);
    EXPECT_EQ(Utf8StreamDecoder::orphanedContinuationBytes("\xAC"), 1);
    EXPECT_EQ(Utf8StreamDecoder::orphanedContinuationBytes("\xE2\x82\xAC"), 0);
    // Four continuation bytes cannot all belong to a cut character.
    EXPECT_EQ(Utf8StreamDecoder::orphanedContinuationBytes("\x80\x80\x80\x80"), 3);
    EXPECT_EQ(Utf8StreamDecoder::orphanedContinuationBytes(""), 0);
}
