#include "core/base/FileSystem.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

fs::path nativePath(const QString& path)
{
    return fs::path(QFile::encodeName(path).toStdString());
}

Error posixError(const std::error_code& code, const QString& what)
{
    return Error{QStringLiteral("POSIX"), code.value(),
                 what + QStringLiteral(": ") + QString::fromStdString(code.message())};
}

Error posixError(int code, const QString& what)
{
    return posixError(std::error_code(code, std::generic_category()), what);
}

// Opens the folder itself, never a link's target, and checks whose it is.
Result<Done> narrowToOwner(const QString& path)
{
    const QString what = QStringLiteral("Couldn’t use the folder “%1”").arg(path);
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return posixError(errno, what);
    struct stat status
    {};
    Result<Done> result = Done{};
    if (::fstat(fd, &status) != 0)
        result = posixError(errno, what);
    else if (status.st_uid != ::geteuid())
        result = posixError(EPERM, what + QStringLiteral(", which belongs to another user"));
    else if ((status.st_mode & 07777) != S_IRWXU && ::fchmod(fd, S_IRWXU) != 0)
        result = posixError(errno, what);
    ::close(fd);
    return result;
}

} // namespace

namespace FileSystem {

bool itemExists(const QString& path)
{
    std::error_code code;
    return fs::status(nativePath(path), code).type() != fs::file_type::not_found && !code;
}

bool entryExists(const QString& path)
{
    std::error_code code;
    return fs::symlink_status(nativePath(path), code).type() != fs::file_type::not_found && !code;
}

Result<Done> createDirectories(const QString& path)
{
    std::error_code code;
    fs::create_directories(nativePath(path), code);
    if (code)
        return posixError(code, QStringLiteral("Couldn’t create the folder “%1”").arg(path));
    return Done{};
}

Result<Done> removeItem(const QString& path)
{
    std::error_code code;
    fs::remove_all(nativePath(path), code);
    if (code)
        return posixError(code, QStringLiteral("Couldn’t remove “%1”").arg(path));
    return Done{};
}

Result<Done> writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return Done{};
    return Error{QStringLiteral("QFileDevice"), int(file.error()),
                 QStringLiteral("Couldn’t write “%1”: %2").arg(path, file.errorString())};
}

Result<Done> createPrivateDirectory(const QString& path)
{
    if (::mkdir(QFile::encodeName(path).constData(), S_IRWXU) != 0 && errno != EEXIST)
        return posixError(errno, QStringLiteral("Couldn’t create the folder “%1”").arg(path));
    // Whether just made (the umask may have narrowed it further) or found.
    return narrowToOwner(path);
}

Result<Done> copyFile(const QString& source, const QString& destination)
{
    std::error_code code;
    fs::copy_file(nativePath(source), nativePath(destination), code);
    if (!code)
        return Done{};
    std::error_code ignored; // the copy's own failure is what the caller needs to hear
    if (code.value() != EEXIST)
        fs::remove(nativePath(destination), ignored);
    return posixError(code, QStringLiteral("Couldn’t copy “%1” to “%2”").arg(source, destination));
}

} // namespace FileSystem
