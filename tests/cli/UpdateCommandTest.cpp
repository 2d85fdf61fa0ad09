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
    void SetUp() override
    {
        server.setBody(
            appcastXml({{QStringLiteral("43"), QStringLiteral("1.1"), {}},
                        {QStringLiteral("44"), QStringLiteral("1.2b"), QStringLiteral("beta")}}));
        useFeed(server.url());
    }
    void useFeed(const QUrl& feed, const QString& version = QStringLiteral("42"))
    {
        bundle.writeInfoPlist({{QStringLiteral("SUFeedURL"), feed.toString()},
                               {QStringLiteral("CFBundleVersion"), version}});
    }
    ToolRun run(const QStringList& arguments)
    {
        return runZentropectl(bundle, home.path(),
                              QStringList{QStringLiteral("update")} + arguments);
    }

    FeedServer server;
    QTemporaryDir home;
    TestBundle bundle;
};

const QStringList check{QStringLiteral("check")};

} // namespace

TEST_F(UpdateCommandTest, CheckOffersTheDefaultChannelUntilBetaIsTurnedOn)
{
    ToolRun result = run(check);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out,
              QStringLiteral("Zentrope 1.1 is available: https://example.com/Zentrope-43.zip\n"));
    EXPECT_EQ(run({QStringLiteral("beta")}).out, QStringLiteral("Beta updates are off.\n"));
    EXPECT_EQ(run({QStringLiteral("beta"), QStringLiteral("on")}).out,
              QStringLiteral("Beta updates are on.\n"));
    EXPECT_EQ(run(check).out,
              QStringLiteral("Zentrope 1.2b is available: https://example.com/Zentrope-44.zip\n"));
    EXPECT_EQ(run({QStringLiteral("beta"), QStringLiteral("off")}).out,
              QStringLiteral("Beta updates are off.\n"));
    EXPECT_EQ(run(check).out.left(13), QStringLiteral("Zentrope 1.1 "));
}

TEST_F(UpdateCommandTest, CheckSaysWhenUpToDate)
{
    useFeed(server.url(), QStringLiteral("43"));
    const ToolRun result = run(check);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, QStringLiteral("Zentrope is up to date.\n"));
}

TEST_F(UpdateCommandTest, AFailedCheckPrintsTheErrorAndExitsOne)
{
    useFeed(FeedServer::unreachableUrl());
    ToolRun result = run(check);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.startsWith(QStringLiteral("Could not fetch the update feed: ")));
    useFeed(QUrl());
    result = run(check); // fails before any network call
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, QStringLiteral("No update feed is configured.\n"));
}

TEST_F(UpdateCommandTest, UnknownWordsAreUsageErrors)
{
    for (const QStringList& words :
         {QStringList{}, QStringList{QStringLiteral("beta"), QStringLiteral("maybe")},
          QStringList{QStringLiteral("check"), QStringLiteral("now")}}) {
        const ToolRun result = run(words);
        EXPECT_EQ(result.exitCode, 2) << words.join(u' ').toStdString();
        EXPECT_TRUE(result.err.startsWith(QStringLiteral("zentropectl: update ")));
    }
}
