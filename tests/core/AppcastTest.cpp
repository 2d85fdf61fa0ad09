#include "core/Appcast.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

namespace {

const QByteArray feed = R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:s="http://www.andymatuschak.org/xml-namespaces/sparkle">
<channel><title>Zentrope</title>
  <item><title>1.9</title><s:version>9</s:version><s:shortVersionString>1.9</s:shortVersionString>
    <enclosure url="https://example.com/Zentrope-1.9.zip" length="1"/></item>
  <item><title>1.10</title><s:version>10</s:version><s:shortVersionString>1.10</s:shortVersionString>
    <s:releaseNotesLink> https://example.com/notes/1.10 </s:releaseNotesLink>
    <enclosure url="https://example.com/Zentrope-1.10.zip" length="1"/></item>
  <item><title>1.11 beta</title><s:channel>beta</s:channel>
    <enclosure url="https://example.com/Zentrope-1.11b.zip" s:version="11" s:shortVersionString="1.11b"/></item>
  <item><title>no download</title><s:version>50</s:version></item>
  <item><title>no version</title><enclosure url="https://example.com/x.zip"/></item>
</channel></rss>)";

QStringList versions(const std::optional<Appcast::Item>& item)
{
    return item ? QStringList{item->version, item->displayVersion()} : QStringList{};
}

} // namespace

TEST(Appcast, ReadsItemsWithTheirSparkleFieldsWhereverTheyStand)
{
    const Result<Appcast> appcast = Appcast::parse(feed);
    ASSERT_TRUE(appcast.ok()) << appcast.error().description.toStdString();
    const QList<Appcast::Item>& items = appcast.value().items();
    ASSERT_EQ(items.size(), 3); // nothing to download or no version: not an update
    EXPECT_EQ(items[1].title, QStringLiteral("1.10"));
    EXPECT_EQ(items[1].releaseNotesLink, QUrl(QStringLiteral("https://example.com/notes/1.10")));
    EXPECT_EQ(items[1].downloads,
              QList<QUrl>{QUrl(QStringLiteral("https://example.com/Zentrope-1.10.zip"))});
    EXPECT_TRUE(items[1].channel.isEmpty());
    EXPECT_EQ(items[2].channel, QStringLiteral("beta"));
    EXPECT_EQ(versions(items[2]), (QStringList{QStringLiteral("11"), QStringLiteral("1.11b")}));
}

TEST(Appcast, OffersTheNewestNewerItemOnAnAllowedChannel)
{
    const Appcast appcast = Appcast::parse(feed).value();
    const QSet<QString> beta{QStringLiteral("beta")};
    EXPECT_EQ(versions(appcast.bestUpdate({}, QStringLiteral("9"))),
              (QStringList{QStringLiteral("10"), QStringLiteral("1.10")}));
    EXPECT_EQ(versions(appcast.bestUpdate(beta, QStringLiteral("9"))),
              (QStringList{QStringLiteral("11"), QStringLiteral("1.11b")}));
    EXPECT_FALSE(appcast.bestUpdate({}, QStringLiteral("10")));
    EXPECT_FALSE(appcast.bestUpdate({QStringLiteral("nightly")}, QStringLiteral("10")));
    EXPECT_FALSE(appcast.bestUpdate(beta, QStringLiteral("11")));
}

TEST(Appcast, MalformedOrForeignDocumentsAreErrorsThatSayWhy)
{
    const Result<Appcast> broken = Appcast::parse("<rss><channel><item></channel></rss>");
    ASSERT_FALSE(broken.ok());
    EXPECT_EQ(broken.error().domain, QStringLiteral("Appcast"));
    EXPECT_TRUE(broken.error().description.startsWith(
        QStringLiteral("The update feed could not be read: ")));
    EXPECT_TRUE(broken.error().description.endsWith(QStringLiteral("(line 1).")));
    EXPECT_FALSE(Appcast::parse("").ok());
    EXPECT_EQ(Appcast::parse("<html><body>Not found</body></html>").error().description,
              QStringLiteral("The update feed could not be read: it is not an RSS feed."));
    EXPECT_TRUE(Appcast::parse("<rss version=\"2.0\"><channel/></rss>").value().items().isEmpty());
}
