#pragma once

#include "core/base/Result.h"

#include <QDateTime>
#include <QFuture>
#include <QList>
#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

namespace platform {

// A release newer than the running application.
struct AvailableUpdate
{
    QString version;        // the build version compared with CFBundleVersion
    QString displayVersion; // the version people see ("1.2")
    QUrl releaseNotes;      // may be empty
    QList<QUrl> downloads;  // never empty
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
    // A check the user asked for; the result arrives on the main thread.
    virtual QFuture<Result<UpdateCheck>> checkForUpdates() = 0;
    // Told, on the main thread, when a scheduled check finds an update, so
    // that the user interface can offer it.
    virtual void setUpdateFoundHandler(std::function<void(const AvailableUpdate&)> handler) = 0;
};

} // namespace platform
