#include "platform/appcast/AppcastUpdaterController.h"

#include "core/updates/ChannelDelegate.h"
#include "support/Printers.h"
#include "support/TestBundle.h"
#include "support/TestServer.h"
#include "support/Wait.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using platform::AppcastUpdaterController;
using platform::AvailableUpdate;
using platform::UpdateCheck;
using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

// fixtures/sample.xml: 1.0 (build 41) and 1.1 (43) on the default channel, 1.2b (44) on "beta".
QByteArray sampleAppcast()
{
    return readFileAt(
        QStringLiteral(ZENTROPE_SOURCE_DIR "/tests/platform/appcast/fixtures/sample.xml"));
}

QUrl feedAt(quint16 port)
{
    return QUrl(u"http://127.0.0.1:%1/appcast.xml"_s.arg(port));
}

void serve(TestServer& server, const QByteArray& body)
{
    server.setAnswer(200, body, "application/rss+xml");
}

// Each test starts with an application of build 42 whose feed is `server`'s sample.
class AppcastUpdaterControllerTest : public ::testing::Test
{
protected:
    AppcastUpdaterControllerTest()
    {
        serve(server, sampleAppcast());
        useFeed(feedAt(server.port()));
    }
    void useFeed(const QUrl& feed, const QString& version = u"42"_s)
    {
        bundle.writeInfoPlist({{u"SUFeedURL"_s, feed.toString()}, {u"CFBundleVersion"_s, version}});
    }
    UserDefaults defaults() const { return UserDefaults(scratch.filePath(u"d"_s)); }
    std::unique_ptr<AppcastUpdaterController>
    controller(std::optional<std::chrono::milliseconds> interval = std::nullopt)
    {
        return std::make_unique<AppcastUpdaterController>(
            bundle.bundle(), defaults(), std::make_shared<ChannelDelegate>(defaults()), interval,
            RunningSystem{u"linux"_s, u"6.1.0"_s});
    }
    // What a check offers, as "version download" or the error.
    static QString offered(QFuture<Result<UpdateCheck>> future)
    {
        const Result<UpdateCheck> checked = awaitResult(std::move(future));
        if (!checked)
            return u"error: "_s + checked.error().description;
        const auto& update = checked.value().update;
        return update ? update->displayVersion + u' ' + update->download.toString()
                      : u"up to date"_s;
    }
    int requests() const { return int(server.requests().size()); }

    TestServer server{TestServer::Serves::plainHttp};
    TestBundle bundle;
    QTemporaryDir scratch;
};

const QString offer11 = u"1.1 https://example.com/Zentrope-43.zip"_s;

} // namespace

// What the release notes and the title keep is ReleaseNotes' and
// ControlCharacters'; one case of each shows they are asked.
TEST_F(AppcastUpdaterControllerTest, GivesTheDialogWhatItShowsAndNothingUnsafe)
{
    serve(server,
          R"(<rss xmlns:sparkle="http://www.andymatuschak.org/xml-namespaces/sparkle"><channel>
<item><title>Zentrope&#155;[2J 2.0</title><sparkle:version>50</sparkle:version>
  <description><![CDATA[<p>Faster <img src="https://evil.example/t.png">sync.</p>]]></description>
  <link>https://example.com/2.0</link><sparkle:criticalUpdate sparkle:version="45"/>
  <enclosure url="https://example.com/Zentrope-50.zip" length="123456"/></item>
</channel></rss>)");
    auto updater = controller();
    const Result<UpdateCheck> checked = awaitResult(updater->checkForUpdates());
    ASSERT_TRUE(checked && checked.value().update);
    const AvailableUpdate& update = *checked.value().update;
    EXPECT_EQ(update.title, u"Zentrope[2J 2.0"_s);
    EXPECT_EQ(update.releaseNotesHtml, u"<p>Faster sync.</p>"_s);
    EXPECT_TRUE(update.critical); // 42 is older than 45
    EXPECT_EQ(update.download, QUrl(u"https://example.com/Zentrope-50.zip"_s));
    EXPECT_EQ(update.infoLink, QUrl(u"https://example.com/2.0"_s));

    const Result<Done> skipped = updater->skipVersion(update);
    ASSERT_FALSE(skipped);
    EXPECT_EQ(skipped.error().description, u"A critical update cannot be skipped."_s);
    EXPECT_FALSE(defaults().contains(DefaultsKeys::skippedVersion));
}

TEST_F(AppcastUpdaterControllerTest,
       FeedsThatCannotBeReachedTrustedOrReadAreErrorsAndNoneNewerIsNews)
{
    const auto offeredBy = [&](const QUrl& feed, const QString& version = u"42"_s) {
        useFeed(feed, version);
        return offered(controller()->checkForUpdates());
    };
    EXPECT_EQ(offeredBy(QUrl()), u"error: No update feed is configured."_s);
    // Which addresses are trusted is UpdateAddress's; one is enough to see it asked.
    EXPECT_EQ(offeredBy(QUrl(u"http://example.com/appcast.xml"_s)),
              u"error: The update feed address must use HTTPS."_s);
    EXPECT_EQ(offeredBy(feedAt(server.port()), {}),
              u"error: The application’s version is unknown."_s);
    EXPECT_EQ(requests(), 0);
    serve(server, QByteArray(5 * 1024 * 1024, ' '));
    EXPECT_EQ(offeredBy(feedAt(server.port())), u"error: The update feed is larger than 4 MB."_s);
    serve(server, sampleAppcast());
    EXPECT_EQ(offeredBy(feedAt(server.port()), u"43"_s), u"up to date"_s);
}

// How a reply is bounded is proven with the daemon channel, which shares it.
TEST_F(AppcastUpdaterControllerTest, AFeedIsBoundToThirtySecondsAndFourMegabytes)
{
    EXPECT_EQ(AppcastUpdaterController::feedDeadline, std::chrono::seconds(30));
    EXPECT_EQ(AppcastUpdaterController::largestFeed, 4 * 1024 * 1024);
    server.setTrickle(50ms);
    auto updater = controller();
    updater->setFeedBounds({300ms, AppcastUpdaterController::largestFeed});
    EXPECT_EQ(offered(updater->checkForUpdates()),
              u"error: Could not fetch the update feed: No complete answer within 0.3 s."_s);
}

// 0.0.0.0 reaches this machine too, but it is no loopback address: were the
// redirect followed, the server would count a second request.
TEST_F(AppcastUpdaterControllerTest, EveryRedirectOfTheFeedMustBeTrustedToo)
{
    const auto redirectTo = [&](const QUrl& target) {
        server.setAnswer(302, {}, "text/plain", "Location: " + target.toEncoded() + "\r\n");
    };
    TestServer mirror(TestServer::Serves::plainHttp);
    serve(mirror, sampleAppcast());
    redirectTo(feedAt(mirror.port()));
    EXPECT_EQ(offered(controller()->checkForUpdates()), offer11);
    EXPECT_EQ(mirror.requests().size(), 1);

    QUrl elsewhere = feedAt(server.port());
    elsewhere.setHost(u"0.0.0.0"_s);
    redirectTo(elsewhere);
    EXPECT_EQ(offered(controller()->checkForUpdates()),
              u"error: The update feed redirected to an address that is not HTTPS: "_s +
                  elsewhere.toString());
    EXPECT_EQ(requests(), 2);
}

TEST_F(AppcastUpdaterControllerTest, SettingsLiveInTheDefaultsWithADailyInterval)
{
    useFeed(feedAt(closedLocalPort()));
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

TEST_F(AppcastUpdaterControllerTest, ScheduledChecksAnnounceUpdatesButNotASkippedOne)
{
    auto updater = controller(50ms);
    QStringList announced;
    updater->setUpdateFoundHandler(
        [&](const AvailableUpdate& update) { announced.append(update.displayVersion); });
    // Never checked before: the first check is due at once, the next one an interval later.
    ASSERT_TRUE(waitUntil([&] { return announced.size() >= 2; }));
    EXPECT_EQ(announced.first(), u"1.1"_s);
    // Each scheduled check placed this installation in a rollout group, the same one.
    ASSERT_TRUE(defaults().contains(DefaultsKeys::updateGroupIdentifier));
    const qulonglong group = defaults().value(DefaultsKeys::updateGroupIdentifier);

    const Result<UpdateCheck> requested = awaitResult(updater->checkForUpdates());
    ASSERT_TRUE(requested && requested.value().update);
    ASSERT_TRUE(updater->skipVersion(*requested.value().update));
    EXPECT_EQ(defaults().value(DefaultsKeys::skippedVersion), u"43"_s);
    EXPECT_EQ(updater->skippedVersion(), u"43"_s);
    // Checks that began before the skip may still announce; those after it may not.
    const int requestsBefore = requests();
    ASSERT_TRUE(waitUntil([&] { return requests() > requestsBefore; }));
    announced.clear();
    ASSERT_TRUE(waitUntil([&] { return requests() >= requestsBefore + 4; }));
    EXPECT_TRUE(announced.isEmpty()) << announced.join(u", "_s).toStdString();
    EXPECT_EQ(offered(updater->checkForUpdates()), offer11); // asked for, it shows anyway
    EXPECT_EQ(defaults().value(DefaultsKeys::updateGroupIdentifier), group);

    // The beta setting counts from the next check on.
    defaults().setValue(DefaultsKeys::betaChannelEnabled, true);
    ASSERT_TRUE(waitUntil([&] { return announced.contains(u"1.2b"_s); }));
}
