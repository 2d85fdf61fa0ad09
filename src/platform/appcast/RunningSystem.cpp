#include "platform/appcast/RunningSystem.h"

#include "platform/appcast/VersionComparator.h"

#include <QSysInfo>

namespace {

const QString macOS = QStringLiteral("macos");

} // namespace

RunningSystem RunningSystem::current()
{
#if defined(Q_OS_MACOS)
    return {macOS, QSysInfo::productVersion()};
#elif defined(Q_OS_LINUX)
    // "6.1.0-18-amd64": what follows the dash is ignored when versions are compared.
    return {QStringLiteral("linux"), QSysInfo::kernelVersion()};
#else
    return {QSysInfo::kernelType(), QString()};
#endif
}

bool RunningSystem::runs(const AppcastItem& item) const
{
    const QString itemOs = item.enclosure ? item.enclosure->os : QString();
    if (!itemOs.isEmpty() && itemOs != osName)
        return false;
    const bool bounded =
        !item.minimumSystemVersion.isEmpty() || !item.maximumSystemVersion.isEmpty();
    if (!bounded)
        return true;
    const bool comparable = !version.isEmpty() && (osName == macOS || itemOs == osName);
    if (!comparable)
        return false;
    const bool aboveMinimum = item.minimumSystemVersion.isEmpty() ||
                              VersionComparator::compare(item.minimumSystemVersion, version) <= 0;
    const bool belowMaximum = item.maximumSystemVersion.isEmpty() ||
                              VersionComparator::compare(item.maximumSystemVersion, version) >= 0;
    return aboveMinimum && belowMaximum;
}
