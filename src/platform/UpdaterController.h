#pragma once

#include "core/base/Result.h"

#include <QDateTime>
#include <QFuture>
#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

namespace platform {

// A release newer than the running application: what an update dialog shows.
// Every text is fit to show as it is: no control characters, and the notes'
// HTML already stripped of anything that would load or run.
struct AvailableUpdate
{
    QString version;        // the build version compared with CFBundleVersion ("43")
    QString displayVersion; // the version people see ("1.2")
    QString title;          // may be empty
    // The release notes from the feed as safe rich text for a QTextBrowser:
    // formatting only, links only to https addresses. Empty when the feed has none.
    QString releaseNotesHtml;
    QString releaseNotesText; // the same notes as plain text, a line per paragraph
    QUrl releaseNotesLink;    // a page with the notes, https; may be empty
    std::optional<QDateTime> publicationDate;
    bool critical = false;      // the user may not skip it
    bool informational = false; // nothing to download: show `infoLink` instead
    QUrl download;              // https (or http on this machine); empty when informational
    qint64 downloadLength = 0;  // bytes; 0 when the feed does not say
    QUrl infoLink;              // the release's web page, https; may be empty unless informational
};

// What a check found; a failed check is the error of its Result instead.
struct UpdateCheck
{
    std::optional<AvailableUpdate> update; // none: the application is up to date
};

// A started updater: it schedules its own checks according to its settings,
// which it keeps itself. Every call belongs on the main thread.
class UpdaterController
{
public:
    virtual ~UpdaterController() = default;

    virtual bool automaticallyChecksForUpdates() const = 0;
    virtual void setAutomaticallyChecksForUpdates(bool enabled) = 0;
    // Absent until a first check has been made.
    virtual std::optional<QDateTime> lastUpdateCheckDate() const = 0;
    // A check the user asked for; the result arrives on the main thread. It
    // offers the newest release even if skipped or not yet rolled out to this
    // installation.
    virtual QFuture<Result<UpdateCheck>> checkForUpdates() = 0;
    // Told, on the main thread, when a scheduled check finds an update, so
    // that the user interface can offer it.
    virtual void setUpdateFoundHandler(std::function<void(const AvailableUpdate&)> handler) = 0;
    // "Skip this version": scheduled checks no longer offer `update` nor any
    // older release; a later one is offered again. A critical update cannot be
    // skipped (an error, and nothing is stored).
    virtual Result<Done> skipVersion(const AvailableUpdate& update) = 0;
    // The version last skipped; empty when none.
    virtual QString skippedVersion() const = 0;
};

} // namespace platform
