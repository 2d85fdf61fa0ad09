#include "platform/appcast/PhasedRollout.h"

#include <QRandomGenerator>
#include <algorithm>
#include <limits>

namespace PhasedRollout {

int group(UserDefaults& defaults)
{
    const bool valid = defaults.contains(DefaultsKeys::updateGroupIdentifier);
    const qulonglong stored = defaults.value(DefaultsKeys::updateGroupIdentifier);
    quint32 identifier = quint32(stored);
    if (!valid || stored > std::numeric_limits<quint32>::max()) {
        identifier = QRandomGenerator::system()->generate();
        defaults.setValue(DefaultsKeys::updateGroupIdentifier, qulonglong(identifier));
        // Unsaved, the next check draws again: a group of its own for a while, nothing worse.
        defaults.sync();
    }
    return int(identifier % groupCount);
}

bool hasReached(const AppcastItem& item, int group, const QDateTime& now)
{
    if (!item.phasedRolloutIntervalSeconds || !item.publicationDate)
        return true;
    const qint64 interval = std::min(*item.phasedRolloutIntervalSeconds,
                                     std::numeric_limits<qint64>::max() / groupCount);
    const qint64 wait = interval * group;
    return item.publicationDate->secsTo(now) >= wait;
}

} // namespace PhasedRollout
