#include "core/base/TrustedPath.h"

#include <QFile>
#include <QStringList>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

Error refused(const QString& entry, const QString& reason)
{
    return Error{QStringLiteral("TrustedPath"), EPERM,
                 QStringLiteral("“%1” %2").arg(entry, reason)};
}

Result<Done> check(const QString& entry)
{
    struct stat status = {};
    if (::lstat(QFile::encodeName(entry).constData(), &status) != 0)
        return systemError(errno);
    if (status.st_uid != ::geteuid() && status.st_uid != 0)
        return refused(entry, QStringLiteral("belongs to another user"));
    const bool sticky = S_ISDIR(status.st_mode) && (status.st_mode & S_ISVTX);
    if ((status.st_mode & (S_IWGRP | S_IWOTH)) && !sticky)
        return refused(entry, QStringLiteral("can be changed by other users"));
    return Done{};
}

} // namespace

namespace TrustedPath {

Result<QString> resolve(const QString& path)
{
    const std::unique_ptr<char, decltype(&std::free)> real(
        ::realpath(QFile::encodeName(path).constData(), nullptr), &std::free);
    if (!real)
        return systemError(errno);
    const QString canonical = QFile::decodeName(real.get());
    if (auto checked = check(QStringLiteral("/")); !checked)
        return checked.error();
    QString entry;
    for (const QString& name : canonical.split(u'/', Qt::SkipEmptyParts)) {
        entry += u'/' + name;
        if (auto checked = check(entry); !checked)
            return checked.error();
    }
    return canonical;
}

} // namespace TrustedPath
