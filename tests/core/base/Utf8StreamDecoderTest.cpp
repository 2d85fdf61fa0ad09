#include "core/base/Utf8StreamDecoder.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Any split decoding like one piece is the utf8_stream fuzz target's rule;
// here the one piece is checked against what it must say.
TEST(Utf8StreamDecoder, OnlyInvalidBytesBecomeReplacementsWhereverTheStreamIsCut)
{
    const QString bad(QChar::ReplacementCharacter);
    // A lone continuation byte, an overlong form, a surrogate, a truncated
    // sequence followed by ASCII: each bad byte is replaced, the rest kept.
    const std::pair<QByteArray, QString> cases[] = {
        {u"a é € 😀 ok\n"_s.toUtf8(), u"a é € 😀 ok\n"_s},
        {"a\x80"
         "b\xC0\x80"
         "c\xED\xA0\x80"
         "d\xE2\x82"
         "e",
         u"a"_s + bad + u'b' + bad.repeated(2) + u'c' + bad.repeated(3) + u'd' + bad.repeated(2) +
             u'e'},
    };
    for (const auto& [bytes, expected] : cases) {
        for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
            Utf8StreamDecoder decoder;
            QString text = decoder.decode(QByteArrayView(bytes).first(cut));
            text += decoder.decode(QByteArrayView(bytes).sliced(cut));
            EXPECT_EQ(text + decoder.finish(), expected) << "cut at " << cut;
        }
    }
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
    EXPECT_EQ(Utf8StreamDecoder::orphanedContinuationBytes("\xE2\x82\xAC"), 0);
    // Four continuation bytes cannot all belong to a cut character.
    EXPECT_EQ(Utf8StreamDecoder::orphanedContinuationBytes("\x80\x80\x80\x80"), 3);
}
