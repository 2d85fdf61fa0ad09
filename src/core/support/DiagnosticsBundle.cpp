#include "core/support/DiagnosticsBundle.h"

#include "core/api/DaemonAPI.h"
#include "core/api/DaemonStatusProbe.h"
#include "core/base/FileSystem.h"
#include "core/logs/LogTail.h"
#include "core/support/DiagnosticsReport.h"
#include "core/support/PersonalDataMask.h"
#include "platform/Services.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <unistd.h>

namespace {

using Setup = DiagnosticsBundle::Setup;
using Outcome = DiagnosticsBundle::Outcome;
using StatusResult = Result<DaemonAPI::Status, DaemonAPI::Error>;

const QString namePrefix = QStringLiteral("zentrope-diagnostics-");

struct Run
{
    QDateTime time;
    QString stamp;
    QString folder; // the working folder, named like the archive
};

struct Answers
{
    Run run;
    QString daemonAddress;          // where the summary says the daemon was asked
    StatusResult status;            // for the summary
    std::optional<QByteArray> body; // the probe's, kept as received
};

Result<Run> prepare(const Setup& setup, const QDateTime& time)
{
    const QString parent = DiagnosticsBundle::privateFolder(setup.temporaryDirectory);
    if (const auto made = FileSystem::createPrivateDirectory(parent); !made)
        return made.error();
    const QString stamp = DiagnosticsReport::stamp(time);
    Run run{time, stamp, parent + u'/' + namePrefix + stamp};
    // A run within the same second replaces that run's folder; usually there is none.
    (void)FileSystem::removeItem(run.folder);
    if (const auto made = FileSystem::createDirectories(run.folder); !made)
        return made.error();
    return run;
}

// Both questions go out at once; the answers come back together.
QFuture<Result<Answers>> askDaemon(DaemonChannel& channel, const Result<Run>& prepared)
{
    if (!prepared)
        return QtFuture::makeReadyFuture(Result<Answers>(prepared.error()));
    const QString address = channel.address(QStringLiteral("https"), {}).toString();
    QFuture<std::optional<QByteArray>> body = DaemonStatusProbe::fetch(channel);
    return DaemonAPI::status(channel)
        .then([run = prepared.value(), address, body](StatusResult status) mutable {
            return body.then([run, address, status](std::optional<QByteArray> raw) {
                return Result<Answers>(Answers{run, address, status, std::move(raw)});
            });
        })
        .unwrap();
}

Result<Done> writeLines(const QString& path, const QStringList& lines)
{
    return FileSystem::writeFileAtomically(path, lines.join(u'\n').toUtf8());
}

// Never fails: a missing or unwritable tail leaves a note or nothing.
void copyLogTail(const QString& source, const QString& destination)
{
    const auto tail = LogTail::read(source, DiagnosticsBundle::logTailBytes);
    const QString text =
        tail ? PersonalDataMask::apply(tail.value().text, PersonalDataMask::currentHomePaths())
             : QStringLiteral("(no log file at %1)").arg(source);
    (void)FileSystem::writeFileAtomically(destination, text.toUtf8());
}

Result<Done> writeEntries(const Setup& setup, const Answers& answers)
{
    const QString folder = answers.run.folder;
    if (const auto written =
            writeLines(folder + QStringLiteral("/summary.txt"),
                       DiagnosticsReport::summaryLines(answers.run.time, setup.bundle,
                                                       answers.status, answers.daemonAddress));
        !written)
        return written;
    (void)FileSystem::writeFileAtomically(folder + QStringLiteral("/status.json"),
                                          answers.body.value_or("daemon not reachable"));
    // Without the folder, the two copies fail and the entries are missing.
    (void)QDir(folder).mkdir(QStringLiteral("logs"));
    for (const QString& name : {QStringLiteral("daemon.log"), QStringLiteral("daemon.err")})
        copyLogTail(setup.logDirectory + u'/' + name, folder + QStringLiteral("/logs/") + name);
    if (const auto written = writeLines(folder + QStringLiteral("/system.txt"),
                                        DiagnosticsReport::systemLines(*setup.systemFacts));
        !written)
        return written;
    return writeLines(folder + QStringLiteral("/sideload.txt"),
                      DiagnosticsReport::sideloadLines(*setup.workspace));
}

// zip runs in the folder's parent, so the archive holds the folder itself.
Result<Done> zipDirectory(const QString& program, const QString& folder, const QString& archive)
{
    const QFileInfo info(folder);
    QProcess zip;
    zip.setWorkingDirectory(info.absolutePath());
    zip.setStandardOutputFile(QProcess::nullDevice());
    zip.setStandardErrorFile(QProcess::nullDevice());
    zip.start(program, {QStringLiteral("-r"), QStringLiteral("-q"), archive, info.fileName()});
    if (!zip.waitForStarted(-1)) {
        return Error{DiagnosticsBundle::errorDomain(), -1,
                     QStringLiteral("Couldn’t run “%1”: %2").arg(program, zip.errorString())};
    }
    zip.waitForFinished(-1);
    // After a signal, the exit code is the signal's number.
    if (zip.exitStatus() == QProcess::NormalExit && zip.exitCode() == 0)
        return Done{};
    return Error{DiagnosticsBundle::errorDomain(), zip.exitCode(),
                 QStringLiteral("zip exited %1").arg(zip.exitCode())};
}

Outcome archive(const Setup& setup, const Run& run)
{
    if (const auto made = FileSystem::createDirectories(setup.desktopDirectory); !made)
        return made.error();
    const QString path =
        setup.desktopDirectory + u'/' + namePrefix + run.stamp + QStringLiteral(".zip");
    (void)FileSystem::removeItem(path); // the same second's earlier archive, if any
    if (const auto zipped = zipDirectory(setup.zipProgram, run.folder, path); !zipped) {
        (void)FileSystem::removeItem(path); // whatever a failed zip left
        return zipped.error();
    }
    (void)FileSystem::removeItem(run.folder);
    const QFileInfo written(path);
    return DiagnosticsBundle::Result{QUrl::fromLocalFile(path),
                                     written.exists() ? written.size() : 0};
}

Outcome assemble(const Setup& setup, const Result<Answers>& answers)
{
    if (!answers)
        return answers.error();
    if (const auto written = writeEntries(setup, answers.value()); !written)
        return written.error();
    return archive(setup, answers.value().run);
}

QString desktopFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return desktop.isEmpty() ? QDir::homePath() + QStringLiteral("/Desktop") : desktop;
}

} // namespace

DiagnosticsBundle::Setup DiagnosticsBundle::applicationSetup(const Bundle& bundle,
                                                             const QString& logDirectory,
                                                             DaemonChannel& channel,
                                                             const platform::Services& services)
{
    return Setup{
        bundle,           logDirectory,   &channel, services.workspace, services.systemFacts,
        QDir::tempPath(), desktopFolder()};
}

QFuture<DiagnosticsBundle::Outcome> DiagnosticsBundle::generate(Setup setup)
{
    // Whole seconds, so that the stamp and the summary name the same instant.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDateTime time = now.addMSecs(-now.time().msec());
    auto shared = std::make_shared<const Setup>(std::move(setup));
    return QtFuture::makeReadyFuture()
        .then(QtFuture::Launch::Async, [shared, time] { return prepare(*shared, time); })
        .then(shared->channel,
              [shared](::Result<Run> run) { return askDaemon(*shared->channel, run); })
        .unwrap()
        .then(QtFuture::Launch::Async,
              [shared](::Result<Answers> answers) { return assemble(*shared, answers); });
}

QString DiagnosticsBundle::privateFolder(const QString& temporaryDirectory)
{
    return temporaryDirectory + QStringLiteral("/zentrope-") + QString::number(::geteuid());
}
