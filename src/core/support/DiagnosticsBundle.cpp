#include "core/support/DiagnosticsBundle.h"

#include "core/api/DaemonAPI.h"
#include "core/api/DaemonStatusProbe.h"
#include "core/base/BoundedReply.h"
#include "core/base/FileSystem.h"
#include "core/base/UniquePaths.h"
#include "core/logs/LogTail.h"
#include "core/support/DiagnosticsReport.h"
#include "core/support/PersonalDataMask.h"
#include "platform/Services.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <cstring>
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
    QString own;    // this run's folder, which no other run shares
    QString folder; // the working folder inside it, named like the archive
};

struct Answers
{
    Run run;
    QString daemonAddress;          // where the summary says the daemon was asked
    StatusResult status;            // for the summary
    std::optional<QByteArray> body; // the probe's, kept as received
};

Error bundleError(int code, const QString& description)
{
    return Error{DiagnosticsBundle::errorDomain(), code, description};
}

Result<Run> prepare(const Setup& setup, const QDateTime& time)
{
    const QString parent = DiagnosticsBundle::privateFolder(setup.temporaryDirectory);
    if (const auto made = FileSystem::createPrivateDirectory(parent); !made)
        return made.error();
    const auto own = UniquePaths::createDirectory(parent, QStringLiteral("run-"));
    if (!own)
        return own.error();
    const QString stamp = DiagnosticsReport::stamp(time);
    Run run{time, stamp, own.value(), own.value() + u'/' + namePrefix + stamp};
    if (const auto made = FileSystem::createDirectories(run.folder); !made)
        return made.error();
    return run;
}

// Both questions go out at once; the answers come back together.
QFuture<Result<Answers>> askDaemon(DaemonChannel& channel, DaemonStatusProbe::Deadlines deadlines,
                                   const Result<Run>& prepared)
{
    if (!prepared)
        return QtFuture::makeReadyFuture(Result<Answers>(prepared.error()));
    const QString address = channel.address(QStringLiteral("https"), {}).toString();
    QFuture<std::optional<QByteArray>> body = DaemonStatusProbe::fetch(channel, deadlines);
    return DaemonAPI::status(channel)
        .then([run = prepared.value(), address, body](StatusResult status) mutable {
            return body.then([run, address, status](std::optional<QByteArray> raw) {
                return Result<Answers>(Answers{run, address, status, std::move(raw)});
            });
        })
        .unwrap();
}

// Every text leaves with the user's home and other personal data masked.
Result<Done> writeText(const QString& path, const QString& text)
{
    return FileSystem::writeFileAtomically(
        path, PersonalDataMask::apply(text, PersonalDataMask::currentHomePaths()).toUtf8());
}

Result<Done> writeLines(const QString& path, const QStringList& lines)
{
    return writeText(path, lines.join(u'\n'));
}

// A tail cut from a longer file starts at its first full line, so no half of
// a name or a secret is left where the masks cannot recognise it.
QString fromFirstFullLine(const LogTail& tail)
{
    if (tail.start == 0)
        return tail.text;
    const qsizetype newline = tail.text.indexOf(u'\n');
    return newline < 0 ? QString() : tail.text.sliced(newline + 1);
}

// Never fails: a missing or unwritable tail leaves a note or nothing.
void copyLogTail(const QString& source, const QString& destination)
{
    const auto tail = LogTail::read(source, DiagnosticsBundle::logTailBytes);
    const QString text =
        tail ? fromFirstFullLine(tail.value()) : QStringLiteral("(no log file at %1)").arg(source);
    (void)writeText(destination, text);
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
    // As received, but for what the mask takes out (bytes that are not
    // UTF-8 come out as U+FFFD: the mask reads text).
    (void)writeText(folder + QStringLiteral("/status.json"),
                    answers.body ? QString::fromUtf8(*answers.body)
                                 : QStringLiteral("daemon not reachable"));
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

// What zip said last, to name its reason.
QString lastLine(const QByteArray& output)
{
    const QString text = QString::fromUtf8(output).trimmed();
    return text.sliced(text.lastIndexOf(u'\n') + 1);
}

// zip runs in the folder's parent, so the archive holds the folder itself.
Result<Done> zipDirectory(const Setup& setup, const QString& folder, const QString& archive)
{
    const QFileInfo info(folder);
    QProcess zip;
    zip.setWorkingDirectory(info.absolutePath());
    zip.setStandardInputFile(QProcess::nullDevice());
    zip.setProcessChannelMode(QProcess::MergedChannels);
    zip.start(setup.zipProgram,
              {QStringLiteral("-r"), QStringLiteral("-q"), archive, info.fileName()});
    const QString doing = QStringLiteral("zip, archiving “%1”,").arg(folder);
    if (!zip.waitForStarted(-1)) {
        return bundleError(
            -1, QStringLiteral("Couldn’t run “%1”: %2").arg(setup.zipProgram, zip.errorString()));
    }
    if (!zip.waitForFinished(int(setup.zipDeadline.count()))) {
        zip.kill();
        zip.waitForFinished(-1);
        return bundleError(-2, QStringLiteral("%1 did not finish within %2 and was stopped.")
                                   .arg(doing, BoundedReply::secondsText(setup.zipDeadline)));
    }
    if (zip.exitStatus() == QProcess::CrashExit) {
        // Qt gives the signal's number as the exit code.
        const int signal = zip.exitCode();
        return bundleError(128 + signal, QStringLiteral("%1 was stopped by signal %2 (%3).")
                                             .arg(doing)
                                             .arg(signal)
                                             .arg(QString::fromLocal8Bit(::strsignal(signal))));
    }
    if (zip.exitCode() == 0)
        return Done{};
    const QString said = lastLine(zip.readAll());
    return bundleError(zip.exitCode(),
                       QStringLiteral("zip exited %1").arg(zip.exitCode()) +
                           (said.isEmpty() ? QString() : QStringLiteral(": ") + said));
}

// Zipped under a temporary name on the Desktop's own file system, then
// given the first free name, so the archive appears whole or not at all.
Outcome archive(const Setup& setup, const Run& run)
{
    if (const auto made = FileSystem::createDirectories(setup.desktopDirectory); !made)
        return made.error();
    const auto staging = UniquePaths::createDirectory(setup.desktopDirectory, u'.' + namePrefix);
    if (!staging)
        return staging.error();
    const QString built = staging.value() + QStringLiteral("/archive.zip");
    const auto zipped = zipDirectory(setup, run.folder, built);
    const auto placed =
        zipped ? UniquePaths::moveToFreeName(built, setup.desktopDirectory, namePrefix + run.stamp,
                                             QStringLiteral(".zip"))
               : Result<QString>(zipped.error());
    (void)FileSystem::removeItem(staging.value()); // whatever a failed zip left, too
    if (!placed)
        return placed.error();
    (void)FileSystem::removeItem(run.own);
    // What is reported is what is there.
    const QFileInfo written(placed.value());
    if (!written.isFile())
        return bundleError(-3, QStringLiteral("The archive “%1” is gone.").arg(placed.value()));
    return DiagnosticsBundle::Result{QUrl::fromLocalFile(placed.value()), written.size()};
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
              [shared](::Result<Run> run) {
                  return askDaemon(*shared->channel, shared->probeDeadlines, run);
              })
        .unwrap()
        .then(QtFuture::Launch::Async,
              [shared](::Result<Answers> answers) { return assemble(*shared, answers); });
}

QString DiagnosticsBundle::privateFolder(const QString& temporaryDirectory)
{
    return temporaryDirectory + QStringLiteral("/zentrope-") + QString::number(::geteuid());
}
