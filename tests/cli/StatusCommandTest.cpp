// What the command prints is DaemonStatusRows and DaemonStatusRecord::toJson,
// tested in core; it only ever asks the daemon's fixed port, which tests
// leave alone, so here it runs only as far as its command line.
#include "support/Printers.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

// Exit code, standard output and standard error.
std::tuple<int, QString, QString> zentropectl(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(ZENTROPECTL_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

TEST(StatusCommand, OffersJsonAndRejectsAnythingElseBeforeAskingTheDaemon)
{
    const auto [helpExit, help, helpErr] =
        zentropectl({QStringLiteral("status"), QStringLiteral("--help")});
    EXPECT_EQ(helpExit, 0);
    EXPECT_TRUE(help.contains(QStringLiteral("--json")) &&
                help.contains(QStringLiteral("JSON object")));

    const auto [extraExit, extraOut, extra] =
        zentropectl({QStringLiteral("status"), QStringLiteral("now")});
    EXPECT_EQ(extraExit, 2);
    EXPECT_EQ(extra, QStringLiteral("zentropectl: status takes no arguments\n"));
    const auto [unknownExit, unknownOut, unknown] =
        zentropectl({QStringLiteral("status"), QStringLiteral("--yaml")});
    EXPECT_EQ(unknownExit, 2);
    EXPECT_EQ(unknown, QStringLiteral("zentropectl: Unknown option 'yaml'.\n"));
}
