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
    EXPECT_EQ(Rows::failureLine({DaemonApiError::Kind::other, u"Oops"_s, 0, {}}),
              u"Could not reach daemon: Oops");
    EXPECT_EQ(Rows::notRunningLine(DaemonStatus::starting()), u"Daemon is starting\u2026.");
}
