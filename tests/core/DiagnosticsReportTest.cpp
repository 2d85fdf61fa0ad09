#include "core/DiagnosticsReport.h"

#include "platform/fake/FakeSystemFacts.h"
#include "support/Printers.h"
#include "support/TestBundle.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(DiagnosticsReport, MemoryIsShownInWholeGibibytesRoundedDown)
{
    platform::FakeSystemFacts facts;
    facts.memory = 17'179'869'184ULL;
    EXPECT_EQ(DiagnosticsReport::systemLines(facts).at(3), u"Memory: 16 GB"_s);
    facts.memory = 13'421'772'800ULL; // 12.5 GiB
    EXPECT_EQ(DiagnosticsReport::systemLines(facts).at(3), u"Memory: 12 GB"_s);
}

TEST(DiagnosticsReport, WhatTheSystemCannotTellIsUnknown)
{
    const platform::FakeSystemFacts nothing;
    EXPECT_EQ(DiagnosticsReport::systemLines(nothing),
              (QStringList{u"OS version: unknown"_s, u"Process architecture: unknown"_s,
                           u"CPU brand: unknown"_s, u"Memory: unknown"_s, u"Locale: unknown"_s,
                           u"Time zone: unknown"_s}));

    TestBundle bundle; // no Info.plist at all
    const QDateTime time(QDate(2026, 12, 5), QTime(9, 52, 4), Qt::UTC);
    const Result<DaemonAPI::Status, DaemonAPI::Error> down = DaemonAPI::Error{};
    const QStringList lines = DiagnosticsReport::summaryLines(time, bundle.bundle(), down, u"x"_s);
    EXPECT_EQ(lines.mid(1, 2), (QStringList{u"Generated: 2026-12-05T09:52:04Z"_s,
                                            u"App version: unknown (unknown)"_s}));
    bundle.writeFile(u"Info.plist"_s, "<plist><dict><key>CFBundleShortVersionString</key>"
                                      "<string>1.0</string><key>CFBundleVersion</key>"
                                      "<integer>42</integer></dict></plist>");
    EXPECT_EQ(DiagnosticsReport::summaryLines(time, bundle.bundle(), down, u"x"_s).at(2),
              u"App version: 1.0 (unknown)"_s)
        << "a version that is no text";
    EXPECT_EQ(DiagnosticsReport::stamp(time), u"20261205T095204"_s);
}
