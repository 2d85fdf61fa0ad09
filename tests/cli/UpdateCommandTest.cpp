// `zentropectl update`, run as a real process against a feed served by the test.
#include "support/FeedServer.h"
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Zentropectl.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class UpdateCommandTest : public ::testing::Test
{
protected:
    ToolRun run(const QString& words)
    {
        return runZentropectl(bundle, home.path(), words.split(u' ', Qt::SkipEmptyParts));
    }

    FeedServer server;
    QTemporaryDir home;
    TestBundle bundle;
};

} // namespace

TEST_F(UpdateCommandTest, CheckOffersTheDefaultChannelUntilBetaIsTurnedOn)
{
    useFeed(bundle, server.url());
    const ToolRun result = run(QStringLiteral("update check"));
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out,
              QStringLiteral("Zentrope 1.1 is available: https://example.com/Zentrope-43.zip\n"
                             "Release notes: https://example.com/notes/43\n"));
    EXPECT_EQ(run(QStringLiteral("update beta")).out, QStringLiteral("Beta updates are off.\n"));
    EXPECT_EQ(run(QStringLiteral("update beta on")).out, QStringLiteral("Beta updates are on.\n"));
    EXPECT_EQ(run(QStringLiteral("update check")).out,
              QStringLiteral("Zentrope 1.2b is available: https://example.com/Zentrope-44.zip\n"));
    EXPECT_EQ(run(QStringLiteral("update beta off")).out,
              QStringLiteral("Beta updates are off.\n"));
    useFeed(bundle, server.url(), QStringLiteral("43"));
    EXPECT_EQ(run(QStringLiteral("update check")).out, QStringLiteral("Zentrope is up to date.\n"));
}

TEST_F(UpdateCommandTest, CheckSaysWhatTheUpdateDialogWould)
{
    server.setBody(R"(<rss xmlns:sparkle="http://www.andymatuschak.org/xml-namespaces/sparkle">
<channel><item><sparkle:version>50</sparkle:version><sparkle:criticalUpdate/>
  <description><![CDATA[<p>Closes a <b>hole</b>.</p><p>Second paragraph.</p>]]></description>
  <enclosure url="https://example.com/Zentrope-50.zip"/></item>
<item><sparkle:version>60</sparkle:version><sparkle:channel>beta</sparkle:channel>
  <sparkle:shortVersionString>6.0b</sparkle:shortVersionString>
  <link>https://example.com/6.0</link></item></channel></rss>)");
    useFeed(bundle, server.url());
    ToolRun result = run(QStringLiteral("update check"));
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out,
              QStringLiteral("Zentrope 50 is available: https://example.com/Zentrope-50.zip\n"
                             "This is a critical update.\n"
                             "Release notes: Closes a hole.\n"));
    run(QStringLiteral("update beta on"));
    EXPECT_EQ(run(QStringLiteral("update check")).out,
              QStringLiteral("Zentrope 6.0b is available: https://example.com/6.0\n"
                             "This update is informational: there is nothing to download.\n"));
}

TEST_F(UpdateCommandTest, AFailedCheckPrintsTheErrorAndExitsOne)
{
    useFeed(bundle, FeedServer::unreachableUrl());
    ToolRun result = run(QStringLiteral("update check"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.startsWith(QStringLiteral("Could not fetch the update feed: ")));
    useFeed(bundle, QUrl());
    result = run(QStringLiteral("update check")); // fails before any network call
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, QStringLiteral("No update feed is configured.\n"));
}

TEST_F(UpdateCommandTest, UnknownWordsAreUsageErrors)
{
    for (const char* words : {"update", "update beta maybe", "update check now"}) {
        const ToolRun result = run(QString::fromUtf8(words));
        EXPECT_EQ(result.exitCode, 2) << words;
        EXPECT_TRUE(result.err.startsWith(QStringLiteral("zentropectl: update "))) << words;
    }
}
