#include "core/office/Sideloader.h"

#include "core/base/FileSystem.h"
#include "platform/Workspace.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Sideloader {

namespace {

QString inWef(OfficeHost host, QStringView fileName)
{
    return host.wefDirectory() + u'/' + fileName.toString();
}

Error sourceError(ErrorCode code, const QString& description)
{
    return Error{errorDomain.toString(), int(code), description};
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Why `source` cannot be installed at `destination`, or nothing when it can.
// Checked before the current manifest is deleted, so that a wrong pick (a
// folder, a missing or unreadable file, the installed copy itself) leaves
// the host as it was.
std::optional<Error> refusalOf(const QString& source, const QString& destination)
{
    const QString quoted = QStringLiteral("“%1”").arg(source);
    const QByteArray sourcePath = QFile::encodeName(source);
    struct stat sourceInfo = {};
    if (::stat(sourcePath.constData(), &sourceInfo) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return sourceError(ErrorCode::manifestMissing,
                               QStringLiteral("The manifest %1 doesn’t exist.").arg(quoted));
        return sourceError(
            ErrorCode::manifestUnreadable,
            QStringLiteral("The manifest %1 can’t be read: %2").arg(quoted, systemReason(error)));
    }
    if (S_ISDIR(sourceInfo.st_mode))
        return sourceError(ErrorCode::manifestNotAFile,
                           QStringLiteral("The manifest %1 is a folder, not a file.").arg(quoted));
    if (!S_ISREG(sourceInfo.st_mode))
        return sourceError(ErrorCode::manifestNotAFile,
                           QStringLiteral("The manifest %1 isn’t a regular file.").arg(quoted));
    if (sourceInfo.st_size > largestManifest)
        return sourceError(ErrorCode::manifestTooLarge,
                           QStringLiteral("The manifest %1 is larger than %2 MB; an add-in "
                                          "manifest is a few kilobytes. Pick the manifest file.")
                               .arg(quoted)
                               .arg(largestManifest / (1024 * 1024)));

    struct stat destinationInfo = {};
    if (::stat(QFile::encodeName(destination).constData(), &destinationInfo) == 0 &&
        destinationInfo.st_dev == sourceInfo.st_dev && destinationInfo.st_ino == sourceInfo.st_ino)
        return sourceError(
            ErrorCode::manifestIsDestination,
            QStringLiteral("The manifest %1 is the sideloaded copy itself.").arg(quoted));

    const int fd = ::open(sourcePath.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return sourceError(
            ErrorCode::manifestUnreadable,
            QStringLiteral("The manifest %1 can’t be read: %2").arg(quoted, systemReason(errno)));
    ::close(fd);
    return std::nullopt;
}

} // namespace

std::optional<QString> bundledProdManifest(const Bundle& bundle)
{
    return bundle.resource(QStringLiteral("manifest"), QStringLiteral("xml"),
                           QStringLiteral("setup"));
}

Outcome install(const QString& source, OfficeHost host)
{
    if (!host.isInstalled())
        return Outcome::skipped(host.displayName() + QStringLiteral(" not installed"));
    const QString destination = inWef(host, manifestFileName);
    if (auto refusal = refusalOf(source, destination))
        return Outcome::failed(*refusal);
    if (auto created = FileSystem::createDirectories(host.wefDirectory()); !created)
        return Outcome::failed(created.error());
    // A folder in the way must go first; a file or link is replaced in one
    // step, so that a failed copy leaves the add-in sideloaded as it was.
    if (FileSystem::entryExists(destination) && QFileInfo(destination).isDir() &&
        !QFileInfo(destination).isSymLink()) {
        if (auto removed = FileSystem::removeItem(destination); !removed)
            return Outcome::failed(removed.error());
    }
    if (auto copied = FileSystem::replaceFile(source, destination); !copied)
        return Outcome::failed(copied.error());
    return Outcome::copied(destination);
}

Outcome remove(OfficeHost host)
{
    bool removedAny = false;
    for (const QStringView name : {manifestFileName, legacyManifestFileName}) {
        const QString path = inWef(host, name);
        if (!FileSystem::entryExists(path)) // a dangling link goes too
            continue;
        // No rollback: a file already deleted stays deleted.
        if (auto removed = FileSystem::removeItem(path); !removed)
            return Outcome::failed(removed.error());
        removedAny = true;
    }
    if (!removedAny)
        return Outcome::skipped(QStringLiteral("not sideloaded"));
    return Outcome::removed(inWef(host, manifestFileName));
}

bool isSideloaded(OfficeHost host)
{
    return FileSystem::itemExists(inWef(host, manifestFileName)) ||
           FileSystem::itemExists(inWef(host, legacyManifestFileName));
}

QList<HostOutcome> installAll(const QString& source)
{
    QList<HostOutcome> outcomes;
    for (const OfficeHost host : OfficeHost::allCases()) {
        if (host.isInstalled())
            outcomes.append({host, install(source, host)});
    }
    return outcomes;
}

QList<HostOutcome> removeAll()
{
    QList<HostOutcome> outcomes;
    for (const OfficeHost host : OfficeHost::allCases())
        outcomes.append({host, remove(host)});
    return outcomes;
}

QList<OfficeHost> flushAddinCaches()
{
    QList<OfficeHost> flushed;
    for (const OfficeHost host : OfficeHost::allCases()) {
        if (!host.isInstalled())
            continue;
        const QString library = host.containerDataLibrary();
        // Failures are ignored one by one: most often the folder is simply absent.
        FileSystem::removeItem(library + QStringLiteral("/Caches"));
        FileSystem::removeItem(library +
                               QStringLiteral("/Application Support/Microsoft/Office/16.0/Wef"));
        flushed.append(host);
    }
    return flushed;
}

QList<OfficeHost> quitRunningHosts(platform::Workspace& workspace)
{
    QList<OfficeHost> asked;
    for (const platform::RunningApplication& application : workspace.runningApplications()) {
        if (!application.bundleIdentifier)
            continue;
        for (const OfficeHost host : OfficeHost::allCases()) {
            if (*application.bundleIdentifier == host.bundleId() &&
                workspace.terminate(application) && !asked.contains(host))
                asked.append(host);
        }
    }
    std::sort(asked.begin(), asked.end(),
              [](OfficeHost a, OfficeHost b) { return a.value() < b.value(); });
    return asked;
}

} // namespace Sideloader
