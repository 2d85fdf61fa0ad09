#include "core/api/DaemonStatusRows.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

TEST(DaemonStatusRows, PermissionValuesBecomeTheStatusTabsLabels)
{
    using Rows = DaemonStatusRows;
    EXPECT_EQ(Rows::permissionLabel(QStringLiteral("granted")), u"Granted");
    EXPECT_EQ(Rows::permissionLabel(QStringLiteral("denied")),
              u"Denied — open System Settings → Privacy & Security → Automation");
    EXPECT_EQ(Rows::accessibilityLabel(QStringLiteral("denied")),
              u"Denied — open System Settings → Privacy & Security → Accessibility");
    EXPECT_EQ(Rows::accessibilityLabel(QStringLiteral("unknown")), u"Not yet probed");
    // Only the exact words are recognised; anything else is capitalised word by word.
    EXPECT_EQ(Rows::permissionLabel(QStringLiteral("DENIED")), u"Denied");
    EXPECT_EQ(Rows::accessibilityLabel(QStringLiteral("rESTRICTED by  MDM\tpolicy")),
              u"Restricted By  Mdm\tPolicy");
    EXPECT_EQ(Rows::capitalized(QStringLiteral(" élan 𝒜bc ")), u" Élan 𝒜bc ");
    EXPECT_EQ(Rows::failureLine({DaemonApiError::Kind::other, QStringLiteral("Oops"), 0, {}}),
              u"Could not reach daemon: Oops");
}

TEST(DaemonStatusRows, WithoutAnAnswerTheStatusAreaSpeaksOfTheSupervisor)
{
    EXPECT_EQ(DaemonStatusRows::queryingText(), u"Querying daemon\u2026");
    EXPECT_EQ(DaemonStatusRows::notRunningLine(DaemonStatus::stopped()), u"Daemon is stopped.");
    EXPECT_EQ(DaemonStatusRows::notRunningLine(DaemonStatus::crashed(-1)),
              u"Daemon is crashed (exit -1).");
    EXPECT_EQ(DaemonStatusRows::notRunningLine(DaemonStatus::starting()),
              u"Daemon is starting\u2026.");
}

TEST(DaemonStatusRows, AccessibilityIsARowOnlyWhenTheAnswerCarriesIt)
{
    DaemonStatusRecord status{false,
                              QStringLiteral("1.2.3"),
                              2,
                              {QStringLiteral("granted"), QStringLiteral("unknown"), std::nullopt}};
    EXPECT_EQ(DaemonStatusRows::lines(status),
              QStringList({QStringLiteral("Daemon: Listening — version 1.2.3"),
                           QStringLiteral("Sessions: 2 active"),
                           QStringLiteral("Prism automation: Granted"),
                           QStringLiteral("System Events: Not yet probed")}));
    QList<bool> okFlags;
    for (const auto& row : DaemonStatusRows::rows(status))
        okFlags.append(row.ok);
    EXPECT_EQ(okFlags, QList<bool>({false, true, true, false}));

    status.permissions.accessibility = QStringLiteral("granted");
    EXPECT_EQ(
        DaemonStatusRows::rows(status).value(4),
        (DaemonStatusRows::Row{QStringLiteral("Accessibility"), QStringLiteral("Granted"), true}));
}
