// What the chooser reads of a release (versions, channels, system bounds,
// rollout, critical and informational states, deltas) is proven through
// UpdateChooser's fixtures; here, what only the dialog shows.
#include "platform/appcast/Appcast.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A release, some of it said twice (the first counts), and items that do not
// count: one without a version, one outside the channel.
const QByteArray feed = R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:s="http://www.andymatuschak.org/xml-namespaces/sparkle"><channel>
  <item>
    <title>Zentrope 1.2</title><title xml:lang="de">Zentrope 1.2 (de)</title>
    <s:version>12</s:version>
    <s:shortVersionString>1.2</s:shortVersionString>
    <description s:format="plain-text"><![CDATA[Faster.
Safer.]]></description>
    <pubDate>Tue, 02 Jan 2024 10:30:00 +0100</pubDate>
    <link> https://example.com/1.2 </link>
    <s:releaseNotesLink>notes/1.2.html</s:releaseNotesLink>
    <s:minimumUpdateVersion>10</s:minimumUpdateVersion>
    <enclosure url="https://example.com/12.zip" length="1234" s:version="13"
               s:shortVersionString="1.3"/>
    <enclosure url="https://example.com/other.zip"/>
  </item>
  <item><title>no version</title><enclosure url="https://example.com/x.zip"/></item>
</channel><item><s:version>99</s:version></item></rss>)";

} // namespace

TEST(Appcast, ReadsWhatAReleaseSaysAsAnUpdateFrameworkReadsIt)
{
    const Result<Appcast> appcast =
        Appcast::parse(feed, QUrl(u"https://example.com/feed/appcast.xml"_s));
    ASSERT_TRUE(appcast.ok()) << appcast.error().description.toStdString();
    ASSERT_EQ(appcast.value().items().size(), 1);
    const AppcastItem& item = appcast.value().items().first();
    EXPECT_EQ(item.title, u"Zentrope 1.2"_s);
    EXPECT_EQ(item.version, u"13"_s); // the enclosure's version comes first
    EXPECT_EQ(item.displayVersion(), u"1.3"_s);
    EXPECT_EQ(item.description, u"Faster.\nSafer."_s);
    EXPECT_TRUE(item.descriptionIsPlainText);
    EXPECT_EQ(item.publicationDate, QDateTime(QDate(2024, 1, 2), QTime(9, 30), Qt::UTC));
    EXPECT_EQ(item.link, QUrl(u"https://example.com/1.2"_s));
    EXPECT_EQ(item.releaseNotesLink, QUrl(u"https://example.com/feed/notes/1.2.html"_s));
    EXPECT_EQ(item.minimumUpdateVersion, u"10"_s);
    ASSERT_TRUE(item.enclosure);
    EXPECT_EQ(item.enclosure->url, QUrl(u"https://example.com/12.zip"_s));
    EXPECT_EQ(item.enclosure->length, 1234);
}

// Other malformed feeds are seeds of the fuzz target appcast.
TEST(Appcast, MalformedOrForeignDocumentsAreErrorsThatSayWhy)
{
    const Result<Appcast> broken = Appcast::parse("<rss><channel><item></channel></rss>");
    ASSERT_FALSE(broken.ok());
    EXPECT_EQ(broken.error().domain, u"Appcast"_s);
    EXPECT_TRUE(broken.error().description.startsWith(u"The update feed could not be read: "_s));
    EXPECT_TRUE(broken.error().description.endsWith(u"(line 1)."_s));
    EXPECT_EQ(Appcast::parse("<html><body>Not found</body></html>").error().description,
              u"The update feed could not be read: it is not an RSS feed."_s);
}
