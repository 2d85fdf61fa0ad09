#include "platform/appcast/Appcast.h"

#include <QSet>
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

QString sparkleAttribute(const QXmlStreamAttributes& attributes, const QString& name)
{
    return attributes.value(Appcast::sparkleNamespace, name).toString().trimmed();
}

QString elementText(QXmlStreamReader& reader)
{
    return reader.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
}

// Feeds have long been forgiven spaces in addresses and may give them relative to themselves.
QUrl address(const QString& text, const QUrl& feedUrl)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    const QUrl url(QString(trimmed).replace(u' ', QStringLiteral("%20")));
    return url.isRelative() && feedUrl.isValid() ? feedUrl.resolved(url) : url;
}

AppcastItem::Enclosure readEnclosure(QXmlStreamReader& reader, const QUrl& feedUrl)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    AppcastItem::Enclosure enclosure;
    enclosure.url = address(attributes.value(QStringLiteral("url")).toString(), feedUrl);
    enclosure.length = std::max<qint64>(
        0, attributes.value(QStringLiteral("length")).toString().trimmed().toLongLong());
    enclosure.os = sparkleAttribute(attributes, QStringLiteral("os"));
    enclosure.deltaFrom = sparkleAttribute(attributes, QStringLiteral("deltaFrom"));
    return enclosure;
}

QList<AppcastItem::Enclosure> readDeltas(QXmlStreamReader& reader, const QUrl& feedUrl)
{
    QList<AppcastItem::Enclosure> deltas;
    while (reader.readNextStartElement()) {
        if (isPlain(reader, u"enclosure"))
            deltas.append(readEnclosure(reader, feedUrl));
        reader.skipCurrentElement();
    }
    return deltas;
}

AppcastItem::Informational readInformational(QXmlStreamReader& reader)
{
    AppcastItem::Informational informational;
    while (reader.readNextStartElement()) {
        if (isSparkle(reader, u"version"))
            informational.versions.append(elementText(reader));
        else if (isSparkle(reader, u"belowVersion"))
            informational.belowVersions.append(elementText(reader));
        else
            reader.skipCurrentElement();
    }
    return informational;
}

// The older way of marking a critical update: an empty element inside sparkle:tags.
bool tagsSayCritical(QXmlStreamReader& reader)
{
    bool critical = false;
    while (reader.readNextStartElement()) {
        critical = critical || isSparkle(reader, u"criticalUpdate");
        reader.skipCurrentElement();
    }
    return critical;
}

// Channel names are letters, digits, "_", "." and "-"; anything else is
// ignored as update frameworks ignore it, leaving the default channel.
QString channelName(const QString& text)
{
    const bool valid = std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'-';
    });
    return valid ? text : QString();
}

std::optional<qint64> seconds(const QString& text)
{
    bool valid = false;
    const qint64 value = text.toLongLong(&valid);
    return valid && value >= 0 ? std::optional(value) : std::nullopt;
}

std::optional<QDateTime> rfc822Date(const QString& text)
{
    const QDateTime date = QDateTime::fromString(text, Qt::RFC2822Date);
    return date.isValid() ? std::optional(date) : std::nullopt;
}

// One Sparkle element of an item; false when the name is not one of ours.
bool readSparkleElement(QXmlStreamReader& reader, AppcastItem& item, const QUrl& feedUrl)
{
    const QStringView name = reader.name();
    if (name == u"version") {
        item.version = elementText(reader);
    } else if (name == u"shortVersionString") {
        item.shortVersionString = elementText(reader);
    } else if (name == u"channel") {
        item.channel = channelName(elementText(reader));
    } else if (name == u"releaseNotesLink") {
        item.releaseNotesLink = address(elementText(reader), feedUrl);
    } else if (name == u"minimumSystemVersion") {
        item.minimumSystemVersion = elementText(reader);
    } else if (name == u"maximumSystemVersion") {
        item.maximumSystemVersion = elementText(reader);
    } else if (name == u"minimumUpdateVersion") {
        item.minimumUpdateVersion = elementText(reader);
    } else if (name == u"phasedRolloutInterval") {
        item.phasedRolloutIntervalSeconds = seconds(elementText(reader));
    } else if (name == u"criticalUpdate") {
        item.criticalBelowVersion =
            sparkleAttribute(reader.attributes(), QStringLiteral("version"));
        reader.skipCurrentElement();
    } else if (name == u"tags") {
        if (tagsSayCritical(reader) && !item.criticalBelowVersion)
            item.criticalBelowVersion = QString();
    } else if (name == u"informationalUpdate") {
        item.informational = readInformational(reader);
    } else if (name == u"deltas") {
        item.deltas = readDeltas(reader, feedUrl);
    } else {
        return false;
    }
    return true;
}

// One plain RSS element of an item; false when the name is not one of ours.
bool readRssElement(QXmlStreamReader& reader, AppcastItem& item, const QUrl& feedUrl)
{
    const QStringView name = reader.name();
    if (name == u"title") {
        item.title = elementText(reader);
    } else if (name == u"description") {
        item.descriptionIsPlainText =
            sparkleAttribute(reader.attributes(), QStringLiteral("format")) == u"plain-text";
        item.description = elementText(reader);
    } else if (name == u"link") {
        item.link = address(elementText(reader), feedUrl);
    } else if (name == u"pubDate") {
        item.publicationDate = rfc822Date(elementText(reader));
    } else if (name == u"enclosure") {
        item.enclosure = readEnclosure(reader, feedUrl);
        reader.skipCurrentElement();
    } else {
        return false;
    }
    return true;
}

// Reads the children of an <item>, leaving the reader on its end tag. Where
// an element comes more than once (one per language), the first one counts.
AppcastItem readItem(QXmlStreamReader& reader, const QUrl& feedUrl)
{
    AppcastItem item;
    QSet<QString> seen;
    QXmlStreamAttributes enclosureAttributes;
    while (reader.readNextStartElement()) {
        const QString key = reader.namespaceUri().toString() + u' ' + reader.name().toString();
        if (seen.contains(key)) {
            reader.skipCurrentElement();
            continue;
        }
        seen.insert(key);
        if (isPlain(reader, u"enclosure"))
            enclosureAttributes = reader.attributes();
        const bool known = reader.namespaceUri() == Appcast::sparkleNamespace
                               ? readSparkleElement(reader, item, feedUrl)
                           : reader.namespaceUri().isEmpty() ? readRssElement(reader, item, feedUrl)
                                                             : false;
        if (!known)
            reader.skipCurrentElement();
    }
    // Older feeds put the versions on the enclosure, and there they come first.
    const QString version = sparkleAttribute(enclosureAttributes, QStringLiteral("version"));
    if (!version.isEmpty())
        item.version = version;
    const QString shortVersion =
        sparkleAttribute(enclosureAttributes, QStringLiteral("shortVersionString"));
    if (!shortVersion.isEmpty())
        item.shortVersionString = shortVersion;
    return item;
}

Error feedError(int code, const QString& reason)
{
    return Error{QStringLiteral("Appcast"), code,
                 QStringLiteral("The update feed could not be read: %1").arg(reason)};
}

} // namespace

Result<Appcast> Appcast::parse(const QByteArray& xml, const QUrl& feedUrl)
{
    QXmlStreamReader reader(xml);
    const bool started = reader.readNextStartElement();
    if (started && !isPlain(reader, u"rss"))
        return feedError(notRss, QStringLiteral("it is not an RSS feed."));
    QList<AppcastItem> items;
    while (started && reader.readNextStartElement()) {
        const bool channel = isPlain(reader, u"channel");
        while (channel && reader.readNextStartElement()) {
            if (!isPlain(reader, u"item")) {
                reader.skipCurrentElement();
                continue;
            }
            AppcastItem item = readItem(reader, feedUrl);
            if (!item.version.isEmpty())
                items.append(std::move(item));
        }
        if (!channel)
            reader.skipCurrentElement();
    }
    while (!reader.atEnd() && !reader.hasError())
        reader.readNext(); // what follows the root must be well-formed too
    if (reader.hasError()) {
        return feedError(
            malformedFeed,
            QStringLiteral("%1 (line %2).").arg(reader.errorString()).arg(reader.lineNumber()));
    }
    return Appcast(std::move(items));
}
