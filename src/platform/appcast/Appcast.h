#pragma once

#include "core/base/Result.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QUrl>
#include <optional>

// An update feed: RSS 2.0 whose items carry the release's details in the
// Sparkle XML namespace, as update frameworks publish them.
class Appcast
{
public:
    struct Item
    {
        QString title;
        QString version;            // sparkle:version, compared with CFBundleVersion
        QString shortVersionString; // the version people see; may be empty
        QString channel;            // empty: the default channel, offered to everyone
        QUrl releaseNotesLink;
        QList<QUrl> downloads; // the enclosures' addresses

        QString displayVersion() const
        {
            return shortVersionString.isEmpty() ? version : shortVersionString;
        }
    };

    static inline const QString sparkleNamespace =
        QStringLiteral("http://www.andymatuschak.org/xml-namespaces/sparkle");

    // Reads a feed. Items without a version or without anything to download
    // are left out; a feed that is not well-formed RSS is an error (domain "Appcast").
    static Result<Appcast> parse(const QByteArray& xml);

    explicit Appcast(QList<Item> items)
        : m_items(std::move(items))
    {}

    const QList<Item>& items() const { return m_items; }

    // The newest item newer than `currentVersion` that belongs to the default
    // channel or to one of `allowedChannels`.
    std::optional<Item> bestUpdate(const QSet<QString>& allowedChannels,
                                   const QString& currentVersion) const;

private:
    QList<Item> m_items;
};
