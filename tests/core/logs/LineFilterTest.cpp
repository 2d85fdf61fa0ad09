#include "core/logs/LineFilter.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(LineFilter, FollowsTheLocalesCaseRulesInTurkishAndAzerbaijani)
{
    const QString text = u"İstanbul\nISPARTA\nılık"_s;
    // In both, the capital of "i" is "İ", and "I" is the capital of "ı".
    for (const auto language : {QLocale::Turkish, QLocale::Azerbaijani}) {
        const QLocale locale(language);
        EXPECT_EQ(LineFilter(u"istanbul"_s, locale).select(text), u"İstanbul"_s)
            << locale.name().toStdString();
        EXPECT_EQ(LineFilter(u"ı"_s, locale).select(text), u"ISPARTA\nılık"_s);
    }
    EXPECT_TRUE(LineFilter(u"Isparta"_s, QLocale(QLocale::English)).matches(u"ISPARTA"));
}

TEST(LineFilter, EveryAsciiLetterFromAToZFoldsAndNothingBeside)
{
    const QLocale english(QLocale::English);
    EXPECT_TRUE(LineFilter(u"abcdefghijklmnopqrstuvwxyz"_s, english)
                    .matches(u"> ABCDEFGHIJKLMNOPQRSTUVWXYZ <"));
    EXPECT_TRUE(LineFilter(u"ZIP"_s, english).matches(u"lazy zip"));
    // The neighbours of a–z: "`" and "{" are not lower-case "@" and "[".
    EXPECT_FALSE(LineFilter(u"@"_s, english).matches(u"`x`"));
    EXPECT_FALSE(LineFilter(u"["_s, english).matches(u"{x}"));
}

TEST(LineFilter, ATextStartingWithAnEmptyLineIsSplitThere)
{
    // After a trim or "Clear view" the buffer may start with a newline.
    const LineFilter filter(u"error"_s, QLocale(QLocale::English));
    EXPECT_EQ(filter.select(u"\nerror: one\nok"_s), u"error: one"_s);
}
