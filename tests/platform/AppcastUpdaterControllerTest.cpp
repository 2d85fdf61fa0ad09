#include "platform/linux/AppcastUpdaterController.h"

#include "core/ChannelDelegate.h"
#include "support/FeedServer.h"
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/Wait.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::AppcastUpdaterController;
using platform::UpdateCheck;
using namespace std::chrono_literals;

namespace {

class AppcastUpdaterControllerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        server.setBody(
            appcastXml({{QStringLiteral("41"), QStringLiteral("1.0"), {}},
                        {QStringLiteral("43"), QStringLiteral("1.1"), {}},
                        {QStringLiteral("44"), QStringLiteral("1.2b"), QStringLiteral("beta")}}));
        setInfo(server.url().toString(), QStringLiteral("42"));
    }

    void setInfo(const QString& feed, const QString& version)
    {
        QVariantMap info{{QStringLiteral("CFBundleVersion"), version}};
        if (!feed.isEmpty())
            info.insert(QStringLiteral("SUFeedURL"), feed);
        bundle.writeInfoPlist(info);
    }
    UserDefaults defaults() const
    {
        return UserDefaults(scratch.filePath(QStringLiteral("d.conf")));
    }
    std::unique_ptr<AppcastUpdaterController>
    controller(std::optional<std::chrono::milliseconds> interval = std::nullopt)
    {
        return std::make_unique<AppcastUpdaterController>(
            bundle.bundle(), defaults(), std::make_shared<ChannelDelegate>(defaults()), interval);
    }
    // Waits for the result as callers get it: a continuation on this thread.
    static Result<UpdateCheck> await(QFuture<Result<UpdateCheck>> future)
    {
        QObject context;
        std::optional<Result<UpdateCheck>> result;
        future.then(&context, [&](const Result<UpdateCheck>& value) { result = value; });
        EXPECT_TRUE(waitUntil([&] { return result.has_value(); }));
        return result.value_or(Error{});
    }
    static QString offered(const Result<UpdateCheck>& result)
    {
        if (!result)
            return QStringLiteral("error: ") + result.error().description;
        const auto& update = result.value().update;
        return update ? update->displayVersion + u' ' + update->downloads.value(0).toString()
                      : QStringLiteral("up to date");
    }

    FeedServer server;
    TestBundle bundle;
    QTemporaryDir scratch;
};

const QString offer11 = QStringLiteral("1.1 https://example.com/Zentrope-43.zip");
const QString offer12 = QStringLiteral("1.2b https://example.com/Zentrope-44.zip");

} // namespace

TEST_F(AppcastUpdaterControllerTest, TheBetaSettingSwitchesChannelsAtTheNextCheck)
{
    auto updater = controller();
    const Result<UpdateCheck> first = await(updater->checkForUpdates());
    EXPECT_EQ(offered(first), offer11);
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first.value().update->releaseNotes,
              QUrl(QStringLiteral("https://example.com/notes/43")));
    defaults().setBool(ChannelDelegate::betaChannelEnabledKey, true);
    EXPECT_EQ(offered(await(updater->checkForUpdates())), offer12);
    defaults().setBool(ChannelDelegate::betaChannelEnabledKey, false);
    EXPECT_EQ(offered(await(updater->checkForUpdates())), offer11);
    EXPECT_EQ(server.requests(), 3);
}

TEST_F(AppcastUpdaterControllerTest, NothingNewerMeansUpToDate)
{
    setInfo(server.url().toString(), QStringLiteral("43"));
    EXPECT_EQ(offered(await(controller()->checkForUpdates())), QStringLiteral("up to date"));
    setInfo(server.url().toString(), QStringLiteral("43.0.1"));
    defaults().setBool(ChannelDelegate::betaChannelEnabledKey, true);
    EXPECT_EQ(offered(await(controller()->checkForUpdates())), offer12);
}

TEST_F(AppcastUpdaterControllerTest, AnUnreachableFeedIsAnErrorAndStillCountsAsACheck)
{
    setInfo(FeedServer::unreachableUrl().toString(), QStringLiteral("42"));
    auto updater = controller();
    EXPECT_FALSE(updater->lastUpdateCheckDate());
    const Result<UpdateCheck> result = await(updater->checkForUpdates());
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().domain, QStringLiteral("Updater"));
    EXPECT_TRUE(
        result.error().description.startsWith(QStringLiteral("Could not fetch the update feed: ")));
    ASSERT_TRUE(updater->lastUpdateCheckDate());
    EXPECT_LE(updater->lastUpdateCheckDate()->secsTo(QDateTime::currentDateTimeUtc()), 5);
}

TEST_F(AppcastUpdaterControllerTest, FeedsThatCannotBeTrustedOrReadAreErrors)
{
    const auto errorFor = [&](const QString& feed, const QString& version) {
        setInfo(feed, version);
        return offered(await(controller()->checkForUpdates()));
    };
    const QString local = server.url().toString();
    EXPECT_EQ(errorFor({}, QStringLiteral("42")),
              QStringLiteral("error: No update feed is configured."));
    EXPECT_EQ(errorFor(QStringLiteral("http://example.com/appcast.xml"), QStringLiteral("42")),
              QStringLiteral("error: The update feed address must use HTTPS."));
    EXPECT_EQ(errorFor(local, {}),
              QString::fromUtf8("error: The application’s version is unknown."));
    EXPECT_EQ(server.requests(), 0);
    server.setBody("<html>Not here</html>");
    EXPECT_EQ(errorFor(local, QStringLiteral("42")),
              QStringLiteral("error: The update feed could not be read: it is not an RSS feed."));
    server.setBody(QByteArray(5 * 1024 * 1024, ' '));
    EXPECT_EQ(errorFor(local, QStringLiteral("42")),
              QStringLiteral("error: The update feed is larger than 4 MB."));
}

TEST_F(AppcastUpdaterControllerTest, SettingsLiveInTheDefaultsWithADailyInterval)
{
    auto updater = controller();
    EXPECT_TRUE(updater->automaticallyChecksForUpdates());
    await(updater->checkForUpdates());
    EXPECT_EQ(updater->nextScheduledCheck(), updater->lastUpdateCheckDate()->addSecs(24 * 3600));
    defaults().setValue(AppcastUpdaterController::intervalKey, 60); // below the floor of an hour
    EXPECT_EQ(updater->nextScheduledCheck(), updater->lastUpdateCheckDate()->addSecs(3600));
    updater->setAutomaticallyChecksForUpdates(false);
    EXPECT_FALSE(updater->nextScheduledCheck());
    EXPECT_FALSE(defaults().boolValue(AppcastUpdaterController::automaticChecksKey));
    auto again = controller();
    EXPECT_FALSE(again->automaticallyChecksForUpdates());
    EXPECT_EQ(again->lastUpdateCheckDate(), updater->lastUpdateCheckDate());
}

TEST_F(AppcastUpdaterControllerTest, ScheduledChecksRunWhileAutomaticAndAnnounceUpdates)
{
    auto updater = controller(50ms);
    QStringList announced;
    updater->setUpdateFoundHandler(
        [&](const platform::AvailableUpdate& update) { announced.append(update.displayVersion); });
    // Never checked before: the first check is due at once, the next one an interval later.
    ASSERT_TRUE(waitUntil([&] { return announced.size() >= 2; }));
    EXPECT_EQ(announced.first(), QStringLiteral("1.1"));
    updater->setAutomaticallyChecksForUpdates(false);
    EXPECT_GE(server.requests(), 2);
    EXPECT_FALSE(updater->nextScheduledCheck());
}
