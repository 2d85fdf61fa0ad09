#include "core/SideloadMessages.h"

#include "support/Printers.h"
#include "support/TemporaryHome.h"
#include "support/TestBundle.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Sideloader::Outcome;
using Line = SideloadMessages::Line;

TEST(SideloadMessages, EachOutcomeBecomesOneLine)
{
    const QString action = SideloadMessages::installAction(OfficeHost::word);
    EXPECT_EQ(SideloadMessages::forOutcome(Outcome::copied(QStringLiteral("/w/m.xml")), action),
              (Line{Line::Kind::message, QStringLiteral("Installed at /w/m.xml")}));
    EXPECT_EQ(SideloadMessages::forOutcome(Outcome::removed(QStringLiteral("/w/m.xml")), action),
              (Line{Line::Kind::message, QStringLiteral("Removed /w/m.xml")}));
    EXPECT_EQ(SideloadMessages::forOutcome(
                  Outcome::skipped(QStringLiteral("Microsoft Word not installed")), action),
              (Line{Line::Kind::message,
                    QStringLiteral(
                        "Skipped install into Microsoft Word: Microsoft Word not installed")}));
    EXPECT_EQ(SideloadMessages::forOutcome(Outcome::failed({QStringLiteral("POSIX"), 13,
                                                            QStringLiteral("Permission denied")}),
                                           SideloadMessages::removeAction(OfficeHost::excel)),
              (Line{Line::Kind::error,
                    QStringLiteral("Failed to remove from Microsoft Excel: Permission denied")}));
}

TEST(SideloadMessages, AllHostsSummariesNameOnlyTheHostsThatChanged)
{
    TemporaryHome home;
    QTemporaryDir sources;
    const QString manifest = writeFileAt(sources.filePath(QStringLiteral("m.xml")), "m");
    EXPECT_EQ(SideloadMessages::installAllSummary(Sideloader::installAll(manifest)),
              QStringLiteral("No Office hosts installed."));
    EXPECT_EQ(SideloadMessages::removeAllSummary(Sideloader::removeAll()),
              QStringLiteral("Nothing to remove."));

    QDir().mkpath(OfficeHost(OfficeHost::excel).containerDirectory());
    QDir().mkpath(OfficeHost(OfficeHost::powerpoint).containerDirectory());
    const QList<Sideloader::HostOutcome> installed = Sideloader::installAll(manifest);
    ASSERT_EQ(installed.size(), 2);
    EXPECT_EQ(SideloadMessages::installAllSummary(installed),
              QStringLiteral("Installed into: Microsoft Excel, Microsoft PowerPoint"));
    // A failed install is left out of the summary.
    EXPECT_EQ(SideloadMessages::installAllSummary(
                  {installed[0], {OfficeHost::powerpoint, Outcome::failed({})}}),
              QStringLiteral("Installed into: Microsoft Excel"));
    EXPECT_EQ(SideloadMessages::installAllSummary(Sideloader::installAll(sources.path())),
              QStringLiteral("No Office hosts installed."));
    EXPECT_EQ(SideloadMessages::removeAllSummary(Sideloader::removeAll()),
              QStringLiteral("Removed from: Microsoft Excel, Microsoft PowerPoint"));
}

TEST(SideloadMessages, StatusLabels)
{
    EXPECT_EQ(SideloadMessages::statusLabel(false, true, true),
              QStringLiteral("App not installed on this Mac"));
    EXPECT_EQ(SideloadMessages::statusLabel(true, false, true), QStringLiteral("Not sideloaded"));
    EXPECT_EQ(SideloadMessages::statusLabel(true, true, false), QStringLiteral("Sideloaded"));
    EXPECT_EQ(SideloadMessages::statusLabel(true, true, true),
              QStringLiteral("Sideloaded — restart to load"));
}

} // namespace
