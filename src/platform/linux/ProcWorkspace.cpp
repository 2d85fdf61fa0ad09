#include "platform/linux/ProcWorkspace.h"

#include "core/base/Bundle.h"
#include "platform/linux/FileManagerReveal.h"
#include "platform/linux/XdgOpen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <array>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QString procPath(qint64 pid)
{
    return QStringLiteral("/proc/%1").arg(pid);
}

// The process's executable, or empty when it is not ours to read. An
// executable replaced while running (an update in place) still counts.
QString executableOf(qint64 pid)
{
    const QByteArray link = QFile::encodeName(procPath(pid) + QStringLiteral("/exe"));
    std::array<char, 4096> buffer{};
    const ssize_t length = ::readlink(link.constData(), buffer.data(), buffer.size());
    if (length <= 0 || std::size_t(length) >= buffer.size())
        return {};
    QString path = QFile::decodeName(QByteArray(buffer.data(), length));
    const QLatin1StringView deleted(" (deleted)");
    if (path.endsWith(deleted))
        path.chop(deleted.size());
    return path;
}

bool ownedByCurrentUser(qint64 pid)
{
    struct stat info = {};
    const QByteArray path = QFile::encodeName(procPath(pid));
    return ::stat(path.constData(), &info) == 0 && info.st_uid == ::geteuid();
}

// The CFBundleIdentifier of the .app holding `executable`, or empty.
QString bundleIdentifierOf(const QString& executable, QHash<QString, QString>& cache)
{
    const QString folder = QFileInfo(executable).absolutePath();
    const Bundle bundle = Bundle::forExecutableDirectory(folder);
    if (bundle.path() == QDir::cleanPath(folder))
        return {}; // not inside X.app/Contents/MacOS
    auto cached = cache.constFind(bundle.path());
    if (cached == cache.constEnd())
        cached =
            cache.insert(bundle.path(), bundle.infoString(QStringLiteral("CFBundleIdentifier")));
    return *cached;
}

} // namespace

QList<RunningApplication> ProcWorkspace::runningApplications() const
{
    QList<RunningApplication> applications;
    QHash<QString, QString> identifiers; // per bundle, for this scan only
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric || !ownedByCurrentUser(pid))
            continue;
        const QString executable = executableOf(pid);
        if (executable.isEmpty())
            continue;
        const QString identifier = bundleIdentifierOf(executable, identifiers);
        if (!identifier.isEmpty())
            applications.append({pid, identifier, executable});
    }
    return applications;
}

bool ProcWorkspace::terminate(const RunningApplication& application)
{
    // The process id may have been reused since the list was taken: only
    // the same executable gets the request.
    const qint64 pid = application.processIdentifier;
    if (pid <= 0 || executableOf(pid) != application.executablePath)
        return false;
    return ::kill(pid_t(pid), SIGTERM) == 0;
}

QFuture<Result<Done>> ProcWorkspace::reveal(const QString& path)
{
    return FileManagerReveal::reveal(path);
}

Result<Done> ProcWorkspace::open(const QUrl& url)
{
    return XdgOpen::open(url);
}

} // namespace platform
