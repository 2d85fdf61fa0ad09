// Which release a feed offers, for the feeds in fixtures/ (each says what it holds).
#include "platform/appcast/UpdateChooser.h"

#include "platform/appcast/Appcast.h"
#include "support/Printers.h"
#include "support/TestBundle.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const RunningSystem linux61{u"linux"_s, u"6.1.0-18-amd64"_s};

struct Case
{
    const char* fixture;
    const char* offered; // version, download's file name, state; empty: nothing
    const char* host = "1.0";
    QSet<QString> channels = {};
    RunningSystem system = linux61;
    bool scheduled = false;
    int group = 0;
    int hoursAfterRelease = 0; // of 3.0 in rollout.xml, 2024-01-01 12:00 UTC
    const char* skipped = "";
};

const Case cases[] = {
    // The default channel (3.0's empty one too); no other system's 6.0, no lone or chosen patch.
    {"channels", "3.0 3.0.zip"},
    {"channels", "4.0 4.0.zip", "1.0", {u"beta"_s}},
    {"channels", "5.0 5.0.zip", "1.0", {u"beta"_s, u"nightly"_s}},
    {"channels", "", "3.0"},
    {"channel-names", "4.0 4.0.zip", "1.0", {u"beta_1.x-rc"_s}},
    // The namespace by its URI, not by its prefix.
    {"namespaces", "4.0 4.0.zip", "1.0", {u"beta"_s}},
    // Informational for listed versions, below one, and always for a page-only release.
    {"informational", "3.0 3.0.zip informational", "2.4"},
    {"informational", "3.0 3.0.zip", "2.6"},
    {"informational", "3.0 3.0.zip informational", "0.4"},
    {"informational", "3.0 3.0.zip", "0.5"},
    {"informational", "4.0 - informational", "2.4", {u"beta"_s}},
    // Critical below a version; the older way for everyone.
    {"critical", "2.0 2.0.zip critical", "1.0"},
    {"critical", "2.0 2.0.zip", "1.5"},
    {"critical", "3.0 3.0.zip critical", "1.6", {u"legacy"_s}},
    // System bounds: macOS's where comparable, the kernel's where a release names ours.
    {"system", "4.0 4.0.tar.gz"},
    {"system", "2.0 2.0.zip", "1.0", {}, {u"linux"_s, u"5.10.0"_s}},
    {"system", "2.0 2.0.zip", "1.0", {}, {u"linux"_s, u"12.0"_s}},
    {"system", "2.0 2.0.zip", "1.0", {}, {u"linux"_s, {}}},
    {"system", "3.0 3.0.zip", "1.0", {}, {u"macos"_s, u"14.0"_s}},
    {"system", "5.0 5.0.zip", "1.0", {}, {u"macos"_s, u"13.0"_s}},
    // Group g gets 3.0 g days after its release on scheduled checks; a critical one at once.
    {"rollout", "3.0 3.0.zip", "1.0", {}, linux61, true, 0, 0},
    {"rollout", "2.0 2.0.zip", "1.0", {}, linux61, true, 1, 23},
    {"rollout", "3.0 3.0.zip", "1.0", {}, linux61, true, 1, 24},
    {"rollout", "3.0 3.0.zip", "1.0", {}, linux61, true, 6, 144},
    {"rollout", "3.0 3.0.zip", "1.0", {}, linux61, false, 6, 0},
    {"rollout", "4.0 4.0.zip critical", "1.0", {u"urgent"_s}, linux61, true, 6, 0},
    // Skipped and older stay from scheduled checks; not later, requested or critical ones.
    {"rollout", "3.0 3.0.zip", "1.0", {}, linux61, true, 0, 0, "2.0"},
    {"rollout", "", "1.0", {}, linux61, true, 0, 0, "3.0"},
    {"rollout", "3.0 3.0.zip", "1.0", {}, linux61, false, 0, 0, "3.0"},
    {"rollout", "4.0 4.0.zip critical", "1.0", {u"urgent"_s}, linux61, true, 0, 0, "4.0"},
    // Downloads over HTTPS or local plain HTTP only; relative ones resolved against the feed.
    {"addresses", "2.0 2.0.zip"},
    {"addresses", "2.0 2.0.zip", "1.0", {u"beta"_s, u"nightly"_s}},
    {"addresses", "6.0 6.0.zip", "1.0", {u"local"_s}},
    {"addresses", "7.0 7.0 final.zip", "1.0", {u"relative"_s}},
};

QList<AppcastItem> fixture(const char* name)
{
    const Result<Appcast> appcast = Appcast::parse(
        readFileAt(QStringLiteral(ZENTROPE_SOURCE_DIR "/tests/platform/appcast/fixtures/%1.xml")
                       .arg(QLatin1StringView(name))),
        QUrl(u"https://example.com/feed/appcast.xml"_s));
    EXPECT_TRUE(appcast.ok()) << name;
    return appcast ? appcast.value().items() : QList<AppcastItem>();
}

QString offered(const Case& row)
{
    UpdateChooser::Situation situation;
    situation.hostVersion = QString::fromUtf8(row.host);
    situation.allowedChannels = row.channels;
    situation.system = row.system;
    situation.scheduled = row.scheduled;
    situation.rolloutGroup = row.group;
    situation.skippedVersion = QString::fromUtf8(row.skipped);
    situation.now =
        QDateTime(QDate(2024, 1, 1), QTime(12, 0), Qt::UTC).addSecs(row.hoursAfterRelease * 3600);
    const auto choice = UpdateChooser::choose(fixture(row.fixture), situation);
    if (!choice)
        return {};
    const auto& enclosure = choice->item.enclosure;
    QStringList words = {choice->item.version, enclosure ? enclosure->url.fileName() : u"-"_s};
    if (choice->state.critical)
        words.append(u"critical"_s);
    if (choice->state.informational)
        words.append(u"informational"_s);
    return words.join(u' ');
}

} // namespace

TEST(UpdateChooser, OffersWhatAnUpdateFrameworkWouldForEachFeed)
{
    for (const Case& row : cases) {
        SCOPED_TRACE(testing::Message() << row.fixture << ".xml, row " << &row - cases + 1);
        EXPECT_EQ(offered(row), QString::fromUtf8(row.offered));
    }
}
