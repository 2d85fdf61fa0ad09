#include "platform/linux/LinuxSystemFacts.h"

#include <QFile>
#include <QLocale>
#include <QSysInfo>
#include <QTimeZone>
#include <sys/utsname.h>
#include <unistd.h>

namespace platform {

namespace {

std::optional<QString> nonEmpty(const QString& text)
{
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? std::nullopt : std::optional<QString>(trimmed);
}

} // namespace

std::optional<QString> LinuxSystemFacts::operatingSystemVersion() const
{
    const auto name = nonEmpty(QSysInfo::prettyProductName());
    const auto kernel = nonEmpty(QSysInfo::kernelVersion());
    if (!name || !kernel)
        return name ? name : kernel;
    return QStringLiteral("%1, kernel %2").arg(*name, *kernel);
}

std::optional<QString> LinuxSystemFacts::machine() const
{
    utsname names{};
    if (::uname(&names) != 0)
        return std::nullopt;
    return nonEmpty(QString::fromLocal8Bit(names.machine));
}

std::optional<QString> LinuxSystemFacts::cpuBrand() const
{
    // A /proc file reports its size as 0, so atEnd() cannot be trusted;
    // readAll() reads on to the real end.
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (!cpuinfo.open(QIODevice::ReadOnly))
        return std::nullopt;
    for (const QByteArray& line : cpuinfo.readAll().split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed() == "model name")
            return nonEmpty(QString::fromUtf8(line.mid(colon + 1)));
    }
    return std::nullopt;
}

std::optional<quint64> LinuxSystemFacts::physicalMemoryBytes() const
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return std::nullopt;
    return quint64(pages) * quint64(pageSize);
}

std::optional<QString> LinuxSystemFacts::localeIdentifier() const
{
    return nonEmpty(QLocale::system().name());
}

std::optional<QString> LinuxSystemFacts::timeZoneIdentifier() const
{
    return nonEmpty(QString::fromUtf8(QTimeZone::systemTimeZoneId()));
}

} // namespace platform
