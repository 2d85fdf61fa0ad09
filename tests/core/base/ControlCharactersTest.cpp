#include "core/base/ControlCharacters.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using ControlCharacters::LineBreaks;

TEST(ControlCharacters, ControlsShowEscapedAndTextOfAnyScriptStays)
{
    const struct
    {
        QString text;
        QString field; // escaped as one field
        QString lines; // escaped as lines
    } cases[] = {
        {u"1.0\x1b[2J\rfake\0end"_s, u"1.0\\x1b[2J\\rfake\\x00end"_s,
         u"1.0\\x1b[2J\\rfake\\x00end"_s},
        {u"a\nb\tc\x7f"_s, u"a\\nb\\tc\\x7f"_s, u"a\nb\tc\\x7f"_s},
        {u"csi\u009b2J bidi\u202Eevil\u2066"_s, u"csi\\u009b2J bidi\\u202eevil\\u2066"_s,
         u"csi\\u009b2J bidi\\u202eevil\\u2066"_s},
        {u"lone \xD800 half"_s, u"lone \\ud800 half"_s, u"lone \\ud800 half"_s},
        {u"Grüße, 東京, \U0001F600, C:\\Users, “quoted” — …"_s,
         u"Grüße, 東京, \U0001F600, C:\\Users, “quoted” — …"_s,
         u"Grüße, 東京, \U0001F600, C:\\Users, “quoted” — …"_s},
    };
    for (const auto& [text, field, lines] : cases) {
        EXPECT_EQ(ControlCharacters::escaped(text), field);
        EXPECT_EQ(ControlCharacters::escaped(text, LineBreaks::keep), lines);
    }
}

TEST(ControlCharacters, BytesThatAreNotUtf8AreNamedOneByOne)
{
    const std::pair<QByteArray, QString> cases[] = {
        {"/home/caf\xc3\xa9", u"/home/café"_s},
        {"/tmp/\xff\xfe.xml", u"/tmp/\\xff\\xfe.xml"_s},
        {"half \xed\xa0\x80 pair", u"half \\xed\\xa0\\x80 pair"_s},
        {"cut \xe2\x82", u"cut \\xe2\\x82"_s},
        {QByteArray("esc\x1b nul\0", 9), u"esc\\x1b nul\\x00"_s},
    };
    for (const auto& [bytes, shown] : cases)
        EXPECT_EQ(ControlCharacters::escapedBytes(bytes), shown);
}
