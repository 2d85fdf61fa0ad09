#include "platform/appcast/PhasedRollout.h"

#include <QRandomGenerator>
#include <algorithm>
#include <limits>

namespace PhasedRollout {

int group(UserDefaults& defaults)
{
    // Zero is what reading gives when nothing usable is stored, so it is never drawn.
    const qulonglong stored = defaults.value(DefaultsKeys::updateGroupIdentifier);
    quint32 identifier = quint32(stored);
    if (stored == 0 || stored > std::numeric_limits<quint32>::max()) {
        do
            identifier = QRandomGenerator::system()->generate();
        while (identifier == 0);
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
