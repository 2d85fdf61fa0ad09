#include "platform/appcast/Appcast.h"

#include "platform/appcast/VersionComparator.h"

#include <QXmlStreamReader>

namespace {

enum ErrorCode
{
    malformedFeed = 1,
    notRss = 2
};

bool isSparkle(const QXmlStreamReader& reader, QStringView name)
{
    return reader.namespaceUri() == Appcast::sparkleNamespace && reader.name() == name;
}

bool isPlain(const QXmlStreamReader& reader, QStringView name)
{
    return reader.namespaceUri().isEmpty() && reader.name() == name;
}

QString elementText(QXmlStreamReader& reader)
{
    return reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
}

// Reads the children of an <item>, leaving the reader on its end tag.
Appcast::Item readItem(QXmlStreamReader& reader)
{
    Appcast::Item item;
    QString enclosureVersion;
    QString enclosureShortVersion;
    while (reader.readNextStartElement()) {
        if (isSparkle(reader, u"version")) {
            item.version = elementText(reader);
        } else if (isSparkle(reader, u"shortVersionString")) {
            item.shortVersionString = elementText(reader);
        } else if (isSparkle(reader, u"channel")) {
            item.channel = elementText(reader);
        } else if (isSparkle(reader, u"releaseNotesLink")) {
            item.releaseNotesLink = QUrl(elementText(reader));
        } else if (isPlain(reader, u"title")) {
            item.title = elementText(reader);
        } else if (isPlain(reader, u"enclosure")) {
            // Older feeds put the versions on the enclosure instead.
            const QXmlStreamAttributes attributes = reader.attributes();
            const QUrl url(attributes.value(QStringLiteral("url")).toString().trimmed());
            if (url.isValid() && !url.isRelative())
                item.downloads.append(url);
            enclosureVersion =
                attributes.value(Appcast::sparkleNamespace, QStringLiteral("version")).toString();
            enclosureShortVersion =
                attributes.value(Appcast::sparkleNamespace, QStringLiteral("shortVersionString"))
                    .toString();
            reader.skipCurrentElement();
        } else {
            reader.skipCurrentElement();
        }
    }
    if (item.version.isEmpty())
        item.version = enclosureVersion.trimmed();
    if (item.shortVersionString.isEmpty())
        item.shortVersionString = enclosureShortVersion.trimmed();
    return item;
}

Error feedError(int code, const QString& reason)
{
    return Error{QStringLiteral("Appcast"), code,
                 QStringLiteral("The update feed could not be read: %1").arg(reason)};
}

} // namespace

Result<Appcast> Appcast::parse(const QByteArray& xml)
{
    QXmlStreamReader reader(xml);
    if (reader.readNextStartElement() && !isPlain(reader, u"rss"))
        return feedError(notRss, QStringLiteral("it is not an RSS feed."));
    QList<Item> items;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && isPlain(reader, u"item")) {
            Item item = readItem(reader);
            if (!item.version.isEmpty() && !item.downloads.isEmpty())
                items.append(std::move(item));
        }
    }
    if (reader.hasError()) {
        return feedError(
            malformedFeed,
            QStringLiteral("%1 (line %2).").arg(reader.errorString()).arg(reader.lineNumber()));
    }
    return Appcast(std::move(items));
}

std::optional<Appcast::Item> Appcast::bestUpdate(const QSet<QString>& allowedChannels,
                                                 const QString& currentVersion) const
{
    std::optional<Item> best;
    for (const Item& item : m_items) {
        if (!item.channel.isEmpty() && !allowedChannels.contains(item.channel))
            continue;
        if (VersionComparator::compare(item.version, currentVersion) <= 0)
            continue;
        if (!best || VersionComparator::compare(item.version, best->version) > 0)
            best = item;
    }
    return best;
}
