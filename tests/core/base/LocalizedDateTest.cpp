#include "core/base/LocalizedDate.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(LocalizedDate, AbbreviatedDateAndShortTimeInTheLocalesOwnOrder)
{
    const QDateTime moment(QDate(2026, 12, 5), QTime(9, 52, 4), Qt::LocalTime);
    const std::pair<const char*, QString> cases[] = {
        {"en_US", u"Dec 5, 2026, 9:52 AM"_s},
        {"de_DE", u"5. Dez. 2026, 09:52"_s},
        {"ja_JP", u"2026年12月5日, 9:52"_s},
        {"C", u"5 Dec 2026, 09:52"_s}, // its short time has seconds
    };
    for (const auto& [name, text] : cases)
        EXPECT_EQ(
            LocalizedDate::abbreviatedWithShortTime(moment, QLocale(QString::fromLatin1(name))),
            text)
            << name;
    // A moment given in UTC is shown in the local time zone.
    EXPECT_EQ(LocalizedDate::abbreviatedWithShortTime(moment.toUTC(), QLocale(u"en_US"_s)),
              u"Dec 5, 2026, 9:52 AM"_s);
}
