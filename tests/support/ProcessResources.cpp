#include "ProcessResources.h"

#include "OpenFiles.h"
#include "TestBundle.h"

#include <QDir>
#include <malloc.h>
#include <unistd.h>

ProcessResources ProcessResources::now()
{
    ProcessResources resources;
    resources.descriptors = OpenFiles::count();
    resources.threads = int(QDir(QStringLiteral("/proc/self/task"))
                                .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                                .size());
    const QByteArray self = QByteArray::number(::getpid());
    for (const QString& pid :
         QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!pid.front().isDigit())
            continue;
        // "pid (comm) state ppid …"; comm may hold spaces and parentheses.
        const QByteArray stat = readFileAt(QStringLiteral("/proc/%1/stat").arg(pid));
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1] == self) {
            ++resources.children;
            resources.zombies += fields[0] == "Z" ? 1 : 0;
        }
    }
    for (const QByteArray& line : readFileAt(QStringLiteral("/proc/self/status")).split('\n')) {
        if (line.startsWith("VmRSS:"))
            resources.residentKiB = line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    const struct mallinfo2 heap = ::mallinfo2();
    resources.heapInUseKiB = qint64((heap.uordblks + heap.hblkhd) / 1024);
    return resources;
}

QString ProcessResources::deltaFrom(const ProcessResources& before) const
{
    const auto signedDelta = [](qint64 now, qint64 then) {
        return (now >= then ? QStringLiteral("+") : QString()) + QString::number(now - then);
    };
    return QStringLiteral("descriptors %1, threads %2, children %3 (%4 zombies), RSS %5 KiB, "
                          "heap in use %6 KiB")
        .arg(signedDelta(descriptors, before.descriptors), signedDelta(threads, before.threads))
        .arg(children)
        .arg(zombies)
        .arg(signedDelta(residentKiB, before.residentKiB),
             signedDelta(heapInUseKiB, before.heapInUseKiB));
}
