// The update feed, through the reader's smallest interface (the reader is
// being rewritten): a feed reads or is refused with the feed's error, every
// kept item has a version, and the versions of any feed sort under the
// version order, which must be a strict weak order for that.
#include "platform/appcast/Appcast.h"

#include "FuzzSupport.h"
#include "platform/appcast/VersionComparator.h"

#include <QStringList>
#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto feed = Appcast::parse(fuzzBytes(data, size));
    if (!feed) {
        require(feed.error().domain == u"Appcast", "a refused feed says so");
        return 0;
    }
    QStringList versions;
    for (const auto& item : feed.value().items()) {
        require(!item.version.isEmpty(), "kept items have a version");
        versions.append(item.version);
    }
    std::sort(versions.begin(), versions.end(), [](const QString& a, const QString& b) {
        return VersionComparator::compare(a, b) < 0;
    });
    for (qsizetype i = 1; i < versions.size(); ++i)
        require(VersionComparator::compare(versions[i - 1], versions[i]) <= 0, "sorted in order");
    return 0;
}
