// What the command prints is DaemonStatusRows and DaemonStatusRecord::toJson,
// tested in core; it only ever asks the daemon's fixed port, which tests
// leave alone, so here it runs only as far as its command line.
#include "support/CliRun.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

TEST(StatusCommand, OffersJsonAndRejectsAnythingElseBeforeAskingTheDaemon)
{
    const auto [helpExit, help, helpErr] =
        CliRun::of({QStringLiteral("status"), QStringLiteral("--help")});
    EXPECT_EQ(helpExit, 0);
    EXPECT_TRUE(help.contains(QStringLiteral("--json")) &&
                help.contains(QStringLiteral("JSON object")));

    const auto [extraExit, extraOut, extra] =
        CliRun::of({QStringLiteral("status"), QStringLiteral("now")});
    EXPECT_EQ(extraExit, 2);
    EXPECT_EQ(extra, QStringLiteral("zentropectl: status takes no arguments\n"));
    const auto [unknownExit, unknownOut, unknown] =
        CliRun::of({QStringLiteral("status"), QStringLiteral("--yaml")});
    EXPECT_EQ(unknownExit, 2);
    EXPECT_EQ(unknown, QStringLiteral("zentropectl: Unknown option 'yaml'.\n"));
}
