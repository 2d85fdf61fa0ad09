#include "core/base/FileSystem.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
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

// Copies what `in` holds to `out`; the errno of the first failure, or 0.
int copyBytes(int in, int out)
{
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return got < 0 ? errno : 0;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(out, buffer + done, std::size_t(got - done));
            if (put < 0 && errno != EINTR)
                return errno;
            done += std::max<ssize_t>(put, 0);
        }
    }
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

Result<Done> replaceFile(const QString& source, const QString& destination)
{
    const QString what = QStringLiteral("Couldn’t copy “%1” to “%2”").arg(source, destination);
    const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return posixError(errno, what);
    QByteArray temporary = QFile::encodeName(destination) + ".XXXXXX";
    const int out = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        return posixError(error, what);
    }
    int error = copyBytes(in, out);
    struct stat status
    {};
    if (error == 0 && (::fstat(in, &status) != 0 || ::fchmod(out, status.st_mode & 0777) != 0))
        error = errno;
    if (::close(out) != 0 && error == 0)
        error = errno;
    ::close(in);
    if (error == 0 &&
        ::rename(temporary.constData(), QFile::encodeName(destination).constData()) != 0)
        error = errno;
    if (error == 0)
        return Done{};
    ::unlink(temporary.constData());
    return posixError(error, what);
}

} // namespace FileSystem
