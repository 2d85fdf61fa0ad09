#include "core/support/DiagnosticsReport.h"

#include "platform/fake/FakeSystemFacts.h"
#include "support/Printers.h"
#include "support/TestBundle.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(DiagnosticsReport, MemoryIsShownInWholeGibibytesRoundedDown)
{
    platform::FakeSystemFacts facts;
    EXPECT_EQ(DiagnosticsReport::systemLines(facts).at(3), u"Memory: unknown"_s);
    facts.memory = 17'179'869'184ULL;
    EXPECT_EQ(DiagnosticsReport::systemLines(facts).at(3), u"Memory: 16 GB"_s);
    facts.memory = 13'421'772'800ULL; // 12.5 GiB
    EXPECT_EQ(DiagnosticsReport::systemLines(facts).at(3), u"Memory: 12 GB"_s);
}

// What the daemon said cannot forge a line of the summary.
TEST(DiagnosticsReport, AVersionThatIsMissingOrNoTextIsUnknownAndTheDaemonsStaysOneLine)
{
    TestBundle bundle; // no Info.plist yet
    const QDateTime time(QDate(2026, 12, 5), QTime(9, 52, 4), Qt::UTC);
    const auto versionLine = [&] {
        return DiagnosticsReport::summaryLines(time, bundle.bundle(), DaemonAPI::Error{}, {}).at(2);
    };
    EXPECT_EQ(versionLine(), u"App version: unknown (unknown)"_s);
    bundle.writeFile(u"Info.plist"_s, "<plist><dict><key>CFBundleShortVersionString</key>"
                                      "<string>1.0</string><key>CFBundleVersion</key>"
                                      "<integer>42</integer></dict></plist>");
    EXPECT_EQ(versionLine(), u"App version: 1.0 (unknown)"_s);

    DaemonAPI::Status status;
    status.version = u"2.0\x1b[2J\r\nDaemon: forged"_s;
    EXPECT_EQ(DiagnosticsReport::summaryLines(time, bundle.bundle(), status, {}).at(5),
              u"Daemon: listening, version 2.0\\x1b[2J\\r\\nDaemon: forged"_s);
}
