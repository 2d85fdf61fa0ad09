#include "core/DaemonStatusRows.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

TEST(DaemonStatusRows, PermissionValuesBecomeTheStatusTabsLabels)
{
    EXPECT_EQ(DaemonStatusRows::permissionLabel(QStringLiteral("granted")), u"Granted");
    EXPECT_EQ(DaemonStatusRows::permissionLabel(QStringLiteral("denied")),
              u"Denied — open System Settings → Privacy & Security → Automation");
    EXPECT_EQ(DaemonStatusRows::accessibilityLabel(QStringLiteral("denied")),
              u"Denied — open System Settings → Privacy & Security → Accessibility");
    EXPECT_EQ(DaemonStatusRows::accessibilityLabel(QStringLiteral("unknown")), u"Not yet probed");
    // Only the exact words are recognised; anything else is shown capitalised.
    EXPECT_EQ(DaemonStatusRows::permissionLabel(QStringLiteral("DENIED")), u"Denied");
    EXPECT_EQ(DaemonStatusRows::accessibilityLabel(QStringLiteral("not determined")),
              u"Not Determined");
}

TEST(DaemonStatusRows, CapitalisesEachWordAndKeepsTheSpacing)
{
    EXPECT_EQ(DaemonStatusRows::capitalized(QStringLiteral("rESTRICTED by  MDM\tpolicy")),
              u"Restricted By  Mdm\tPolicy");
    EXPECT_EQ(DaemonStatusRows::capitalized(QStringLiteral(" élan vital ")), u" Élan Vital ");
    EXPECT_EQ(DaemonStatusRows::capitalized(QStringLiteral("𝒜bc DEF")), u"𝒜bc Def");
    EXPECT_EQ(DaemonStatusRows::capitalized(QString()), QString());
}

TEST(DaemonStatusRows, AccessibilityIsARowOnlyWhenTheAnswerCarriesIt)
{
    DaemonStatusRecord status{false,
                              QStringLiteral("1.2.3"),
                              2,
                              {QStringLiteral("granted"), QStringLiteral("unknown"), std::nullopt}};
    const QStringList four{QStringLiteral("Daemon: Listening — version 1.2.3"),
                           QStringLiteral("Sessions: 2 active"),
                           QStringLiteral("Prism automation: Granted"),
                           QStringLiteral("System Events: Not yet probed")};
    EXPECT_EQ(DaemonStatusRows::lines(status), four);
    const QList<bool> okFlags{false, true, true, false};
    for (qsizetype i = 0; i < okFlags.size(); ++i)
        EXPECT_EQ(DaemonStatusRows::rows(status).at(i).ok, okFlags.at(i)) << i;

    status.permissions.accessibility = QStringLiteral("granted");
    const auto rows = DaemonStatusRows::rows(status);
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows.last(), (DaemonStatusRows::Row{QStringLiteral("Accessibility"),
                                                  QStringLiteral("Granted"), true}));
}

TEST(DaemonStatusRows, AFailureReadsAsTheDaemonBeingUnreachable)
{
    const DaemonApiError error{
        DaemonApiError::Kind::cannotConnectToHost, QStringLiteral("Connection refused"), 1, {}};
    EXPECT_EQ(DaemonStatusRows::failureLine(error), u"Could not reach daemon: Connection refused");
}
