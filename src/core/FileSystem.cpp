#include "core/FileSystem.h"

#include <QFile>
#include <cerrno>
#include <filesystem>
#include <system_error>

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

} // namespace

namespace FileSystem {

bool itemExists(const QString& path)
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
