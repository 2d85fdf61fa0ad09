#include "platform/appcast/VersionComparator.h"

#include <gtest/gtest.h>

namespace {

int order(const char16_t* a, const char16_t* b)
{
    return VersionComparator::compare(QStringView(a), QStringView(b));
}

} // namespace

TEST(VersionComparator, ComponentsCompareAsWholeNumbersFromTheLeft)
{
    EXPECT_GT(order(u"1.10", u"1.9"), 0);
    EXPECT_LT(order(u"1.9", u"1.10"), 0);
    EXPECT_GT(order(u"2.0", u"1.99.99"), 0);
    EXPECT_LT(order(u"1.0", u"1.0.1"), 0);
    EXPECT_GT(order(u"99999999999999999999999", u"99999999999999999999998"), 0); // no overflow
    EXPECT_EQ(order(u"2", u"2.0.0"), 0);
    EXPECT_EQ(order(u"1.02", u" 1.2 "), 0);
}

TEST(VersionComparator, ALetterSuffixMarksAPreReleaseOfItsNumber)
{
    EXPECT_LT(order(u"1.0b1", u"1.0"), 0);
    EXPECT_LT(order(u"1.0b1", u"1.0b2"), 0);
    EXPECT_GT(order(u"1.1b1", u"1.0"), 0);
}
