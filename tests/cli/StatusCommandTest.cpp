// The command's answers are covered through the core it prints
// (DaemonStatusRows, DaemonStatusRecord::toJson); it only ever talks to the
// daemon's fixed port, which tests leave alone, so here it runs only as far
// as its command line.
#include "support/Printers.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome zentropectl(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(ZENTROPECTL_PATH), arguments);
    const bool finished = process.waitForFinished(30000);
    EXPECT_TRUE(finished);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

TEST(StatusCommand, IsListedAndExplainsItsJsonOption)
{
    EXPECT_TRUE(zentropectl({QStringLiteral("--help")}).out.contains(QStringLiteral("  status ")));
    const Outcome help = zentropectl({QStringLiteral("status"), QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: zentropectl status [options]")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("--json")));
}

TEST(StatusCommand, RejectsArgumentsAndUnknownOptionsBeforeAskingAnything)
{
    const Outcome extra = zentropectl({QStringLiteral("status"), QStringLiteral("now")});
    EXPECT_EQ(extra.exitCode, 2);
    EXPECT_EQ(extra.err, QStringLiteral("zentropectl: status takes no arguments\n"));
    const Outcome unknown = zentropectl({QStringLiteral("status"), QStringLiteral("--yaml")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.err, QStringLiteral("zentropectl: Unknown option 'yaml'.\n"));
    EXPECT_TRUE(unknown.out.isEmpty());
}
