// The words of the status rows the status tab's and `zentropectl status`'s
// suites do not show.
#include "core/api/DaemonStatusRows.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(DaemonStatusRows, OnlyTheExactPermissionWordsHaveLabelsAndAnythingElseIsCapitalised)
{
    using Rows = DaemonStatusRows;
    EXPECT_EQ(Rows::accessibilityLabel(u"denied"_s),
              u"Denied — open System Settings → Privacy & Security → Accessibility");
    EXPECT_EQ(Rows::accessibilityLabel(u"unknown"_s), u"Not yet probed");
    EXPECT_EQ(Rows::accessibilityLabel(u"granted"_s), u"Granted");
    EXPECT_EQ(Rows::permissionLabel(u"DENIED"_s), u"Denied");
    EXPECT_EQ(Rows::accessibilityLabel(u"rESTRICTED by  MDM\tpolicy"_s),
              u"Restricted By  Mdm\tPolicy");
    EXPECT_EQ(Rows::capitalized(u" élan 𝒜bc "_s), u" Élan 𝒜bc ");
    EXPECT_EQ(Rows::failureLine({DaemonApiError::Kind::other, u"Oops"_s, 0, {}}),
              u"Could not reach daemon: Oops");
    EXPECT_EQ(Rows::notRunningLine(DaemonStatus::starting()), u"Daemon is starting\u2026.");
}

TEST(DaemonStatusRows, AGrantedAccessibilityIsAGoodRow)
{
    DaemonStatusRecord status{true, u"1.2.3"_s, 2, {u"granted"_s, u"unknown"_s, u"granted"_s}};
    EXPECT_EQ(DaemonStatusRows::rows(status).value(4),
              (DaemonStatusRows::Row{u"Accessibility"_s, u"Granted"_s, true}));
    EXPECT_FALSE(DaemonStatusRows::rows(status).value(3).ok) << "an unknown value is not good";
}
