#include "core/base/PropertyList.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray plist(const QByteArray& root)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + root +
           "</plist>";
}

QByteArray nested(int levels, const QByteArray& open, const QByteArray& close)
{
    return open.repeated(levels) + "<string>deep</string>" + close.repeated(levels);
}

QVariant integer(const QByteArray& text)
{
    const auto read = PropertyList::parseDictionary(
        plist("<dict><key>n</key><integer>" + text + "</integer></dict>"));
    return read ? read->value(u"n"_s) : QVariant(u"refused"_s);
}

} // namespace

TEST(PropertyList, IntegersAreExactAcrossSixtyFourBitsAndRefusedBeyond)
{
    const std::pair<QByteArray, QVariant> cases[] = {
        {"2147483648", qint64(2'147'483'648)},                 // 2^31
        {" 9007199254740993 ", qint64(9'007'199'254'740'993)}, // 2^53 + 1
        {"-9223372036854775808", std::numeric_limits<qint64>::min()},
        {"18446744073709551615", std::numeric_limits<quint64>::max()},
        {"18446744073709551616", u"refused"_s}, // 2^64
        {"-9223372036854775809", u"refused"_s},
        {"12abc", u"refused"_s},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(integer(text), expected) << text.constData();
}

TEST(PropertyList, NestingIsReadTo128LevelsAndRefusedBeyondWithoutRecursion)
{
    // 127 levels below the root dict, then one more.
    const QByteArray arrays127 = nested(127, "<array>", "</array>");
    const auto deepest = PropertyList::parseDictionary(
        plist("<dict><key>a</key>" + arrays127 + "<key>b</key><false/></dict>"));
    ASSERT_TRUE(deepest);
    QVariant value = deepest->value(u"a"_s);
    for (int level = 0; level < 127; ++level)
        value = value.toList().value(0);
    EXPECT_EQ(value, QVariant(u"deep"_s));
    EXPECT_EQ(deepest->value(u"b"_s), QVariant(false));

    QString error;
    EXPECT_FALSE(PropertyList::parseDictionary(
        plist("<dict><key>a</key>" + nested(128, "<array>", "</array>") + "</dict>"), &error));
    EXPECT_EQ(error, u"nested deeper than 128 levels"_s);

    // What crashed a recursive reader: far deeper than any stack, closed or not.
    EXPECT_FALSE(PropertyList::parseDictionary(plist(nested(40'000, "<array>", "</array>"))));
    EXPECT_FALSE(PropertyList::parseDictionary(
        plist("<dict>" + QByteArray("<key>a</key><dict>").repeated(40'000))));
}

TEST(PropertyList, ValuesOfEveryTypeAreReadAndAnythingButADictionaryRootIsTold)
{
    const auto read = PropertyList::parseDictionary(
        plist("<dict><key>s</key><string>a &amp; b</string><key>r</key><real>2.5</real>"
              "<key>t</key><true/><key>d</key><data>aGk=</data>"
              "<key>l</key><array><dict/><array/><integer>-1</integer></array></dict>"));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, (QVariantMap{{u"s"_s, u"a & b"_s},
                                  {u"r"_s, 2.5},
                                  {u"t"_s, true},
                                  {u"d"_s, QByteArray("hi")},
                                  {u"l"_s, QVariantList{QVariantMap{}, QVariantList{}, -1LL}}}));

    const std::pair<QByteArray, QString> malformed[] = {
        {plist("<array><string>a</string></array>"), u"root is not a <dict>"_s},
        {plist("<true/>"), u"root is not a <dict>"_s},
        {"<dict/>", u"missing <plist> root element"_s},
        {plist("<dict><string>no key</string></dict>"), u"expected <key> in <dict>"_s},
        {plist("<dict><key>k</key></dict>"), u"key “k” has no value"_s},
        {plist("<dict><key>k</key><blob/></dict>"), u"unknown element <blob>"_s},
        {plist("<dict><key>k</key><real>x</real></dict>"), u"bad real: x"_s},
        {plist(""), u"empty <plist>"_s},
        {"<plist><dict><key>k</key><array>", u"Premature end of document."_s},
    };
    for (const auto& [xml, reason] : malformed) {
        QString error;
        EXPECT_FALSE(PropertyList::parseDictionary(xml, &error)) << xml.constData();
        EXPECT_EQ(error, reason);
    }
    EXPECT_EQ(PropertyList::parseDictionary(plist("<dict/>")), QVariantMap());
}
