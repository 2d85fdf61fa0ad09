#include "platform/appcast/VersionComparator.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

int sign(int value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

// Oldest first; the versions of one row are equal.
const std::vector<QStringList> ascending = {
    {u""_s, u"0"_s, u"0.0"_s, u"."_s},
    {u"0.0.1"_s},
    {u"0.1"_s, u".1"_s},
    {u"0.9"_s},
    {u"1.0a1"_s},
    {u"1.0b"_s, u"1.0.0b"_s},
    {u"1.0b1"_s, u"1.0.0b1"_s, u"1.0b01"_s},
    {u"1.0b2"_s},
    {u"1.0b9"_s},
    {u"1.0b10"_s},
    {u"1.0pre1"_s, u"1.0.0pre1"_s},
    {u"1.0rc"_s},
    {u"1"_s, u"1.0"_s, u"1.0.0"_s, u"1."_s, u" 1.0 "_s, u"1.0-beta"_s, u"1.0 -beta"_s,
     u"1.0-335d3e2"_s},
    {u"1.0 (1234)"_s, u"1.0.0 (1234)"_s},
    {u"1.0 (1235)"_s},
    {u"1.0.1b5"_s},
    {u"1.0.1"_s},
    {u"1.1.1.1818"_s, u"1.1.1.1818.0"_s},
    {u"1.5.5-335d3e2"_s, u"1.5.5-a655360"_s},
    {u"1.5.6a1"_s},
    {u"1.9"_s},
    {u"1.10"_s},
    {u"1.99.99"_s},
    {u"2"_s, u"2.0"_s, u"2.0.0"_s},
    {u"201210251627"_s, u"201210251627.0"_s},
    {u"99999999999999999999998"_s},
    {u"99999999999999999999999"_s}, // past 64 bits
};

} // namespace

TEST(VersionComparator, OrdersReleasesPreReleasesAndBuildNumbersAsUpdateFeedsMeanThem)
{
    for (size_t row = 0; row < ascending.size(); ++row) {
        for (size_t other = 0; other < ascending.size(); ++other) {
            for (const QString& a : ascending[row]) {
                for (const QString& b : ascending[other]) {
                    EXPECT_EQ(sign(VersionComparator::compare(a, b)), row < other   ? -1
                                                                      : row > other ? 1
                                                                                    : 0)
                        << '"' << a.toStdString() << "\" vs \"" << b.toStdString() << '"';
                }
            }
        }
    }
}
