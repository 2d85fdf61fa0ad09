#include "core/base/ByteCountFormatter.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(ByteCountFormatter, ReadsLikeAFileManager)
{
    const std::pair<qint64, QString> cases[] = {
        {0, u"Zero KB"_s},      {1, u"1 byte"_s},
        {999, u"999 bytes"_s},  {123'456, u"123 KB"_s},
        {999'500, u"1 MB"_s},   {1'500'000, u"1.5 MB"_s},
        {2'000'000, u"2 MB"_s}, {1'234'567'890, u"1.23 GB"_s}};
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(ByteCountFormatter::fileString(bytes), text) << bytes;
}
