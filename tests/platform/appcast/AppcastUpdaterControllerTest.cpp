#include "platform/appcast/AppcastUpdaterController.h"

#include "core/updates/ChannelDelegate.h"
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
    UserDefaults defaults() const { return UserDefaults(scratch.filePath(QStringLiteral("d"))); }
    std::unique_ptr<AppcastUpdaterController>
    controller(std::optional<std::chrono::milliseconds> interval = std::nullopt)
    {
        return std::make_unique<AppcastUpdaterController>(
            bundle.bundle(), defaults(), std::make_shared<ChannelDelegate>(defaults()), interval);
    }
    // What a check offers, waited for as callers get it: a continuation on this thread.
    static QString offered(QFuture<Result<UpdateCheck>> future)
    {
        QObject context;
        QString text;
        future.then(&context, [&](const Result<UpdateCheck>& result) {
            const auto& update = result ? result.value().update : std::nullopt;
            text = !result  ? QStringLiteral("error: ") + result.error().description
                   : update ? update->displayVersion + u' ' + update->downloads.value(0).toString()
                            : QStringLiteral("up to date");
        });
        EXPECT_TRUE(waitUntil([&] { return !text.isEmpty(); }));
        return text;
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
    useFeed(bundle, server.url());
    auto updater = controller();
    EXPECT_EQ(offered(updater->checkForUpdates()), offer11);
    defaults().setValue(DefaultsKeys::betaChannelEnabled, true);
    EXPECT_EQ(offered(updater->checkForUpdates()), offer12);
    defaults().setValue(DefaultsKeys::betaChannelEnabled, false);
    EXPECT_EQ(offered(updater->checkForUpdates()), offer11);
    useFeed(bundle, server.url(), QStringLiteral("43"));
    EXPECT_EQ(offered(updater->checkForUpdates()), QStringLiteral("up to date"));
    EXPECT_EQ(server.requests(), 4);
}

TEST_F(AppcastUpdaterControllerTest, FeedsThatCannotBeReachedTrustedOrReadAreErrors)
{
    const auto errorFor = [&](const QUrl& feed, const QString& version = QStringLiteral("42")) {
        useFeed(bundle, feed, version);
        return offered(controller()->checkForUpdates());
    };
    EXPECT_TRUE(errorFor(FeedServer::unreachableUrl())
                    .startsWith(QStringLiteral("error: Could not fetch the update feed: ")));
    EXPECT_EQ(errorFor(QUrl()), QStringLiteral("error: No update feed is configured."));
    EXPECT_EQ(errorFor(QUrl(QStringLiteral("http://example.com/appcast.xml"))),
              QStringLiteral("error: The update feed address must use HTTPS."));
    EXPECT_EQ(errorFor(server.url(), {}),
              QString::fromUtf8("error: The application’s version is unknown."));
    EXPECT_EQ(server.requests(), 0);
    server.setBody(QByteArray(5 * 1024 * 1024, ' '));
    EXPECT_EQ(errorFor(server.url()),
              QStringLiteral("error: The update feed is larger than 4 MB."));
}

TEST_F(AppcastUpdaterControllerTest, SettingsLiveInTheDefaultsWithADailyInterval)
{
    useFeed(bundle, FeedServer::unreachableUrl());
    auto updater = controller();
    EXPECT_TRUE(updater->automaticallyChecksForUpdates());
    EXPECT_FALSE(updater->lastUpdateCheckDate());
    offered(updater->checkForUpdates()); // a failed check counts as a check too
    ASSERT_TRUE(updater->lastUpdateCheckDate());
    EXPECT_EQ(updater->nextScheduledCheck(), updater->lastUpdateCheckDate()->addSecs(24 * 3600));
    defaults().setValue(DefaultsKeys::updateCheckInterval,
                        qint64(60)); // below the floor of an hour
    EXPECT_EQ(updater->nextScheduledCheck(), updater->lastUpdateCheckDate()->addSecs(3600));
    updater->setAutomaticallyChecksForUpdates(false);
    EXPECT_FALSE(updater->nextScheduledCheck());
    auto again = controller();
    EXPECT_FALSE(again->automaticallyChecksForUpdates());
    EXPECT_EQ(again->lastUpdateCheckDate(), updater->lastUpdateCheckDate());
}

TEST_F(AppcastUpdaterControllerTest, ScheduledChecksRunWhileAutomaticAndAnnounceUpdates)
{
    useFeed(bundle, server.url());
    auto updater = controller(50ms);
    QStringList announced;
    updater->setUpdateFoundHandler(
        [&](const platform::AvailableUpdate& update) { announced.append(update.displayVersion); });
    // Never checked before: the first check is due at once, the next one an interval later.
    ASSERT_TRUE(waitUntil([&] { return announced.size() >= 2; }));
    EXPECT_EQ(announced.first(), QStringLiteral("1.1"));
    EXPECT_GE(server.requests(), 2);
}
