#include "platform/appcast/AppcastItemState.h"

#include "platform/appcast/UpdateAddress.h"
#include "platform/appcast/VersionComparator.h"

#include <algorithm>

namespace {

bool isCritical(const AppcastItem& item, const QString& hostVersion)
{
    if (!item.criticalBelowVersion)
        return false;
    return item.criticalBelowVersion->isEmpty() ||
           VersionComparator::compare(hostVersion, *item.criticalBelowVersion) < 0;
}

// Only a release with a page to show can be informational; one without a
// download always is.
bool isInformational(const AppcastItem& item, const QString& hostVersion)
{
    if (!UpdateAddress::isTrusted(item.link))
        return false;
    if (!item.enclosure)
        return true;
    if (!item.informational)
        return false;
    const AppcastItem::Informational& only = *item.informational;
    if (only.versions.isEmpty() && only.belowVersions.isEmpty())
        return true;
    return only.versions.contains(hostVersion) ||
           std::any_of(only.belowVersions.begin(), only.belowVersions.end(),
                       [&](const QString& below) {
                           return VersionComparator::compare(hostVersion, below) < 0;
                       });
}

} // namespace

AppcastItemState AppcastItemState::of(const AppcastItem& item, const QString& hostVersion)
{
    AppcastItemState state;
    state.critical = isCritical(item, hostVersion);
    state.informational = isInformational(item, hostVersion);
    // A patch at the top level has nothing whole to install: the release is broken.
    const bool deltaOnly = item.enclosure && !item.enclosure->deltaFrom.isEmpty();
    const bool downloadable = item.enclosure && UpdateAddress::isTrusted(item.enclosure->url);
    state.valid = !item.version.isEmpty() && !deltaOnly && (state.informational || downloadable);
    return state;
}
