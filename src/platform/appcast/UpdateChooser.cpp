#include "platform/appcast/UpdateChooser.h"

#include "platform/appcast/PhasedRollout.h"
#include "platform/appcast/VersionComparator.h"

namespace {

bool isOurs(const AppcastItem& item, const UpdateChooser::Situation& situation)
{
    const bool channel = item.channel.isEmpty() || situation.allowedChannels.contains(item.channel);
    const bool updatesUs =
        item.minimumUpdateVersion.isEmpty() ||
        VersionComparator::compare(situation.hostVersion, item.minimumUpdateVersion) >= 0;
    return channel && updatesUs && situation.system.runs(item);
}

// A critical update cannot be skipped, nor held back for the rollout.
bool isHeldBack(const AppcastItem& item, const AppcastItemState& state,
                const UpdateChooser::Situation& situation)
{
    if (!situation.scheduled || state.critical)
        return false;
    const bool skipped = !situation.skippedVersion.isEmpty() &&
                         VersionComparator::compare(item.version, situation.skippedVersion) <= 0;
    return skipped || !PhasedRollout::hasReached(item, situation.rolloutGroup, situation.now);
}

} // namespace

namespace UpdateChooser {

std::optional<Choice> choose(const QList<AppcastItem>& items, const Situation& situation)
{
    std::optional<Choice> best;
    for (const AppcastItem& item : items) {
        const AppcastItemState state = AppcastItemState::of(item, situation.hostVersion);
        if (!state.valid || !isOurs(item, situation) || isHeldBack(item, state, situation))
            continue;
        // Of equal versions, the first in the feed.
        if (!best || VersionComparator::compare(item.version, best->item.version) > 0)
            best = Choice{item, state};
    }
    if (best && VersionComparator::compare(best->item.version, situation.hostVersion) > 0)
        return best;
    return std::nullopt;
}

} // namespace UpdateChooser
