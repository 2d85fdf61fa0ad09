#pragma once

#include "core/api/DaemonStatusProbe.h"
#include "core/base/Bundle.h"
#include "core/base/Result.h"

#include <QFuture>
#include <QString>
#include <QUrl>
#include <chrono>
#include <memory>

namespace platform {
struct Services;
class SystemFacts;
class Workspace;
} // namespace platform

// One zip archive on the Desktop for a support request: a summary, the
// daemon's raw status answer, the masked tails of both daemon logs, facts
// about the machine and the sideloading state of each Office host.
//
// Every run assembles the archive's folder in a folder of its own, inside a
// private per-user folder of the temporary directory, and leaves it there
// only when a step failed. The archive is built under a temporary name on the
// Desktop and then given its name, so runs at the same time never share or
// replace each other's files: a second archive of the same second is
// "zentrope-diagnostics-<stamp> 2.zip". Every text in the archive has the
// user's home and other personal data masked (PersonalDataMask); the
// summary's and the sideload state's fields show control characters escaped.
class DiagnosticsBundle
{
public:
    // What a successful run hands back.
    struct Result
    {
        QUrl url;         // the archive, as a file URL
        qint64 bytes = 0; // its size; 0 when it cannot be read
    };
    using Outcome = ::Result<Result>;

    static QString errorDomain() { return QStringLiteral("DiagnosticsBundle"); }
    // How much of the end of each daemon log goes into the archive, at most:
    // a tail that does not begin the file begins at its first full line.
    static constexpr qint64 logTailBytes = 1024 * 1024;

    // Where a run reads from and writes to.
    struct Setup
    {
        Bundle bundle;
        QString logDirectory;   // holding daemon.log and daemon.err
        DaemonChannel* channel; // asked for the status; its end cancels the run
        std::shared_ptr<const platform::Workspace> workspace;
        std::shared_ptr<const platform::SystemFacts> systemFacts;
        QString temporaryDirectory; // the private per-user folder goes in here
        QString desktopDirectory;   // created when missing
        QString zipProgram = QStringLiteral("/usr/bin/zip");
        DaemonStatusProbe::Deadlines probeDeadlines = {};
        // zip is stopped when it has not finished by then (a hung Desktop drive).
        std::chrono::milliseconds zipDeadline{120000};
    };

    DiagnosticsBundle() = delete;

    // The application's: its bundle, the daemon's logs and channel, the
    // system's temporary folder and the user's Desktop.
    static Setup applicationSetup(const Bundle& bundle, const QString& logDirectory,
                                  DaemonChannel& channel, const platform::Services& services);

    // The files are written and zipped on a pool thread, never the caller's;
    // continue with a context object to get the outcome on your thread.
    static QFuture<Outcome> generate(Setup setup);

    // This user's folder in `temporaryDirectory`, in which runs assemble.
    static QString privateFolder(const QString& temporaryDirectory);
};
