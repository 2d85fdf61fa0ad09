#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

// One release of an update feed, as the feed writes it: nothing here is
// checked against the running application or system yet (see UpdateChooser).
struct AppcastItem
{
    struct Enclosure
    {
        QUrl url;          // resolved against the feed's address; any scheme at this stage
        qint64 length = 0; // bytes; 0 when the feed does not say
        QString os;        // sparkle:os; empty: built for every system
        QString deltaFrom; // sparkle:deltaFrom: a patch from that version, not a release
    };

    // sparkle:informationalUpdate: nothing to install, only a page to read.
    struct Informational
    {
        QStringList versions;      // for these running versions; with belowVersions both
        QStringList belowVersions; // empty, for every version
    };

    QString title;
    QString version;                     // sparkle:version, compared with CFBundleVersion
    QString shortVersionString;          // the version people see; may be empty
    QString channel;                     // empty: the default channel, offered to everyone
    QString description;                 // release notes as the feed has them, HTML unless
    bool descriptionIsPlainText = false; // sparkle:format says "plain-text"
    QUrl releaseNotesLink;
    QUrl link; // the release's web page
    std::optional<QDateTime> publicationDate;
    std::optional<Enclosure> enclosure; // the first top-level enclosure
    QList<Enclosure> deltas;            // patches inside sparkle:deltas
    // sparkle:criticalUpdate: present when critical; a version in it limits that
    // to applications older than the version.
    std::optional<QString> criticalBelowVersion;
    std::optional<Informational> informational;
    QString minimumSystemVersion;
    QString maximumSystemVersion;
    QString minimumUpdateVersion; // never offered to applications older than this
    std::optional<qint64> phasedRolloutIntervalSeconds;

    QString displayVersion() const
    {
        return shortVersionString.isEmpty() ? version : shortVersionString;
    }
};
