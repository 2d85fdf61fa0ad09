#include "core/logs/LineFilter.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

namespace {

QString lines(std::initializer_list<const char*> parts)
{
    QStringList list;
    for (const char* part : parts)
        list.append(QString::fromUtf8(part));
    return list.join(u'\n');
}

} // namespace

TEST(LineFilter, FollowsTheLocalesCaseRulesInTurkishAndAzerbaijani)
{
    const QString text = lines({"İstanbul", "ISPARTA", "ılık"});
    // In both, the capital of "i" is "İ", and "I" is the capital of "ı".
    for (const auto language : {QLocale::Turkish, QLocale::Azerbaijani}) {
        const QLocale locale(language);
        EXPECT_EQ(LineFilter(QStringLiteral("istanbul"), locale).select(text),
                  QStringLiteral("İstanbul"))
            << locale.name().toStdString();
        EXPECT_EQ(LineFilter(QStringLiteral("ı"), locale).select(text), lines({"ISPARTA", "ılık"}));
    }
    EXPECT_TRUE(
        LineFilter(QStringLiteral("Isparta"), QLocale(QLocale::English)).matches(u"ISPARTA"));
}

TEST(LineFilter, EveryAsciiLetterFromAToZFoldsAndNothingBeside)
{
    const QLocale english(QLocale::English);
    EXPECT_TRUE(LineFilter(QStringLiteral("abcdefghijklmnopqrstuvwxyz"), english)
                    .matches(u"> ABCDEFGHIJKLMNOPQRSTUVWXYZ <"));
    EXPECT_TRUE(LineFilter(QStringLiteral("ZIP"), english).matches(u"lazy zip"));
    // The neighbours of a–z: "`" and "{" are not lower-case "@" and "[".
    EXPECT_FALSE(LineFilter(QStringLiteral("@"), english).matches(u"`x`"));
    EXPECT_FALSE(LineFilter(QStringLiteral("["), english).matches(u"{x}"));
}

TEST(LineFilter, ATextStartingWithAnEmptyLineIsSplitThere)
{
    // After a trim or "Clear view" the buffer may start with a newline.
    const LineFilter filter(QStringLiteral("error"), QLocale(QLocale::English));
    EXPECT_EQ(filter.select(QStringLiteral("\nerror: one\nok")), QStringLiteral("error: one"));
}
