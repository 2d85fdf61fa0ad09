#include "platform/appcast/Appcast.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

namespace {

// Versions on the element or, as older feeds have them, on the enclosure; a
// prefix other than "sparkle"; items that offer nothing to install.
const QByteArray feed = R"(<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0" xmlns:s="http://www.andymatuschak.org/xml-namespaces/sparkle"><channel>
  <item><title>1.9</title><s:version>9</s:version><enclosure url="https://example.com/9.zip"/></item>
  <item><title>1.10</title><s:version>10</s:version><s:shortVersionString>1.10</s:shortVersionString>
    <s:releaseNotesLink> https://example.com/notes </s:releaseNotesLink>
    <enclosure url="https://example.com/10.zip"/></item>
  <item><s:channel>beta</s:channel>
    <enclosure url="https://example.com/11.zip" s:version="11" s:shortVersionString="1.11b"/></item>
  <item><title>no download</title><s:version>50</s:version></item>
  <item><title>no version</title><enclosure url="https://example.com/x.zip"/></item>
</channel></rss>)";

QString offered(const Appcast& appcast, const QSet<QString>& channels, const char* current)
{
    const auto item = appcast.bestUpdate(channels, QString::fromUtf8(current));
    return item ? item->displayVersion() + u' ' + item->downloads.value(0).toString() : QString();
}

} // namespace

TEST(Appcast, OffersTheNewestNewerItemOnTheDefaultOrAnAllowedChannel)
{
    const Result<Appcast> appcast = Appcast::parse(feed);
    ASSERT_TRUE(appcast.ok()) << appcast.error().description.toStdString();
    ASSERT_EQ(appcast.value().items().size(), 3);
    const Appcast::Item& item = appcast.value().items()[1];
    EXPECT_EQ(item.title, QStringLiteral("1.10"));
    EXPECT_EQ(item.releaseNotesLink, QUrl(QStringLiteral("https://example.com/notes")));
    const QSet<QString> beta{QStringLiteral("beta")};
    EXPECT_EQ(offered(appcast.value(), {}, "9"), QStringLiteral("1.10 https://example.com/10.zip"));
    EXPECT_EQ(offered(appcast.value(), beta, "9"),
              QStringLiteral("1.11b https://example.com/11.zip"));
    EXPECT_EQ(offered(appcast.value(), {QStringLiteral("nightly")}, "9.5"),
              QStringLiteral("1.10 https://example.com/10.zip"));
    EXPECT_EQ(offered(appcast.value(), {}, "10"), QString());
    EXPECT_EQ(offered(appcast.value(), beta, "11"), QString());
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
}
