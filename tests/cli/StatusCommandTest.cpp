// What the command prints is DaemonStatusRows, DaemonStatusRecord::toJson and
// StatusPoller, tested in core; it only ever asks the daemon's fixed port,
// which tests leave alone, so here it runs only as far as its command line.
#include "support/CliRun.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

TEST(StatusCommand, OffersJsonAndWatchAndRejectsAnythingElseBeforeAskingTheDaemon)
{
    const auto [helpExit, help, helpErr] =
        CliRun::of({QStringLiteral("status"), QStringLiteral("--help")});
    EXPECT_EQ(helpExit, 0);
    EXPECT_TRUE(help.contains(QStringLiteral("--json")) &&
                help.contains(QStringLiteral("JSON object")));
    EXPECT_TRUE(help.contains(QStringLiteral("--watch")) &&
                help.contains(QStringLiteral("every 2 seconds")));

    const std::pair<QStringList, QString> usageErrors[] = {
        {{QStringLiteral("now")}, QStringLiteral("status takes no arguments")},
        {{QStringLiteral("--yaml")}, QStringLiteral("Unknown option 'yaml'.")},
        {{QStringLiteral("--json"), QStringLiteral("--watch")},
         QStringLiteral("--json does not go with --watch")},
    };
    for (const auto& [arguments, reason] : usageErrors) {
        const auto [exit, out, err] = CliRun::of(QStringList{QStringLiteral("status")} + arguments);
        EXPECT_EQ(exit, 2);
        EXPECT_EQ(err, QStringLiteral("zentropectl: ") + reason + u'\n');
    }
}
