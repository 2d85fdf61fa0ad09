#include "platform/linux/LinuxSystemFacts.h"

#include "support/Printers.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(LinuxSystemFacts, AgreesWithTheSystemsOwnTools)
{
    const platform::LinuxSystemFacts facts;
    QProcess uname;
    uname.start(u"uname"_s, {u"-m"_s});
    ASSERT_TRUE(uname.waitForFinished(10000));
    EXPECT_EQ(facts.machine(), QString::fromUtf8(uname.readAllStandardOutput()).trimmed());
    QFile cpuinfo(u"/proc/cpuinfo"_s);
    ASSERT_TRUE(cpuinfo.open(QIODevice::ReadOnly));
    EXPECT_EQ(facts.cpuBrand().has_value(), cpuinfo.readAll().contains("model name"));
    EXPECT_GT(facts.physicalMemoryBytes().value_or(0), 64ULL << 20);
}
