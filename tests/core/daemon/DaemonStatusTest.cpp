#include "core/daemon/DaemonStatus.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

TEST(DaemonStatus, LabelsAreTheDisplayTexts)
{
    EXPECT_EQ(DaemonStatus::running(4242).label(), QStringLiteral("Running (pid 4242)"));
    EXPECT_EQ(DaemonStatus::crashed(-1).label(), QStringLiteral("Crashed (exit -1)"));
    EXPECT_EQ(DaemonStatus::crashed(9).label(), QStringLiteral("Crashed (exit 9)"));
    EXPECT_EQ(DaemonStatus::stopped().label(), QStringLiteral("Stopped"));
    // One ellipsis character, not three dots.
    EXPECT_EQ(DaemonStatus::starting().label(), QString::fromUtf8("Starting\xE2\x80\xA6"));
}
