#pragma once

#include "core/base/Result.h"
#include "platform/appcast/AppcastItem.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

// An update feed: RSS 2.0 whose items carry the release's details in the
// Sparkle XML namespace, as update frameworks publish them. The namespace is
// known by its URI, whatever prefix a feed gives it.
class Appcast
{
public:
    static inline const QString sparkleNamespace =
        QStringLiteral("http://www.andymatuschak.org/xml-namespaces/sparkle");

    // Reads a feed fetched from `feedUrl`, against which relative addresses
    // are resolved. The items of /rss/channel are kept in the feed's order,
    // except those without a version; a document that is not well-formed RSS
    // is an error (domain "Appcast").
    static Result<Appcast> parse(const QByteArray& xml, const QUrl& feedUrl = {});

    explicit Appcast(QList<AppcastItem> items)
        : m_items(std::move(items))
    {}

    const QList<AppcastItem>& items() const { return m_items; }

private:
    QList<AppcastItem> m_items;
};
