#include "platform/linux/ProcPortLookup.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <array>
#include <unistd.h>

namespace platform {

namespace {

constexpr QByteArrayView listenState = "0A";

// The inode of a socket listening on `port` in one of the kernel's tables,
// whose lines read "sl local_address rem_address st … uid timeout inode".
std::optional<QByteArray> listeningInode(const QString& table, quint16 port)
{
    QFile file(table);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].simplified().split(' ');
        if (fields.size() < 10 || fields[3] != listenState)
            continue;
        const QByteArray& local = fields[1]; // address:port, in hexadecimal
        bool ok = false;
        if (local.mid(local.lastIndexOf(':') + 1).toUInt(&ok, 16) == port && ok)
            return fields[9];
    }
    return std::nullopt;
}

QString commandName(const QString& process)
{
    QFile comm(process + QStringLiteral("/comm"));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(comm.readAll()).trimmed();
}

bool holds(const QString& process, const QByteArray& socketLink)
{
    const QDir descriptors(process + QStringLiteral("/fd"));
    for (const QString& fd : descriptors.entryList(QDir::System | QDir::NoDotAndDotDot)) {
        const QByteArray path = QFile::encodeName(descriptors.filePath(fd));
        std::array<char, 64> target{};
        const ssize_t length = ::readlink(path.constData(), target.data(), target.size());
        if (length > 0 && QByteArrayView(target.data(), length) == socketLink)
            return true;
    }
    return false;
}

} // namespace

std::optional<PortHolder> ProcPortLookup::listenerOn(quint16 port) const
{
    auto inode = listeningInode(QStringLiteral("/proc/net/tcp"), port);
    if (!inode)
        inode = listeningInode(QStringLiteral("/proc/net/tcp6"), port);
    if (!inode)
        return std::nullopt;
    const QByteArray socketLink = "socket:[" + *inode + ']';
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (numeric && holds(proc.filePath(entry), socketLink))
            return PortHolder{pid, commandName(proc.filePath(entry))};
    }
    return PortHolder{};
}

} // namespace platform
