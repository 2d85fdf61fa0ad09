#include "core/base/UniquePaths.h"

#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

// Plenty for duplicates a person makes; a bound, so a folder full of them
// cannot keep us counting.
constexpr int mostDuplicates = 9999;

Error posixError(int code, const QString& what)
{
    return Error{QStringLiteral("POSIX"), code,
                 what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(code))};
}

} // namespace

namespace UniquePaths {

Result<QString> createDirectory(const QString& parent, const QString& prefix)
{
    QByteArray path = QFile::encodeName(parent + u'/' + prefix) + "XXXXXX";
    if (!::mkdtemp(path.data())) // 0700, as mkdtemp makes it
        return posixError(errno, QStringLiteral("Couldn’t create a folder in “%1”").arg(parent));
    return QFile::decodeName(path);
}

Result<QString> moveToFreeName(const QString& source, const QString& directory, const QString& name,
                               const QString& extension)
{
    const QByteArray from = QFile::encodeName(source);
    for (int number = 1; number <= mostDuplicates; ++number) {
        const QString candidate = directory + u'/' + name +
                                  (number == 1 ? QString() : u' ' + QString::number(number)) +
                                  extension;
        if (::link(from.constData(), QFile::encodeName(candidate).constData()) == 0) {
            ::unlink(from.constData()); // the file is in place; a leftover name is harmless
            return candidate;
        }
        if (errno != EEXIST)
            return posixError(errno,
                              QStringLiteral("Couldn’t move “%1” to “%2”").arg(source, candidate));
    }
    return posixError(EEXIST, QStringLiteral("Couldn’t find a free name for “%1%2” in “%3”")
                                  .arg(name, extension, directory));
}

} // namespace UniquePaths
