#include "OpenFiles.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct Descriptor
{
    QString name; // the number, as in /proc/self/fd
    QString target;
};

std::vector<Descriptor> descriptors()
{
    std::vector<Descriptor> result;
    DIR* folder = ::opendir("/proc/self/fd");
    if (!folder)
        return result;
    while (const dirent* entry = ::readdir(folder)) {
        char target[4096];
        const ssize_t length = ::readlinkat(::dirfd(folder), entry->d_name, target, sizeof target);
        // Skips "." and "..", and the descriptor that lists the folder.
        if (length > 0 && std::atoi(entry->d_name) != ::dirfd(folder))
            result.push_back({QString::fromLatin1(entry->d_name),
                              QFile::decodeName(QByteArray(target, length))});
    }
    ::closedir(folder);
    return result;
}

bool isOn(const Descriptor& descriptor, const QString& path)
{
    return descriptor.target == path || descriptor.target == path + u" (deleted)"_s;
}

} // namespace

namespace OpenFiles {

int count()
{
    return int(descriptors().size());
}

int openOn(const QString& path)
{
    return int(
        std::ranges::count_if(descriptors(), [&](const auto& each) { return isOn(each, path); }));
}

int inotifyInstances()
{
    return int(std::ranges::count(descriptors(), u"anon_inode:inotify"_s, &Descriptor::target));
}

std::optional<qint64> positionIn(const QString& path)
{
    std::optional<qint64> position;
    for (const Descriptor& descriptor : descriptors()) {
        if (!isOn(descriptor, path))
            continue;
        if (position)
            return std::nullopt;
        QFile info(u"/proc/self/fdinfo/"_s + descriptor.name);
        if (!info.open(QIODevice::ReadOnly))
            return std::nullopt;
        const QByteArray firstLine = info.readLine(); // "pos:\t<offset>"
        position = firstLine.mid(firstLine.indexOf(':') + 1).trimmed().toLongLong();
    }
    return position;
}

bool waitForPosition(const QString& path, qint64 position, std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    while (positionIn(path).value_or(-1) < position && !deadline.hasExpired())
        QThread::msleep(1);
    return positionIn(path).value_or(-1) >= position;
}

} // namespace OpenFiles
