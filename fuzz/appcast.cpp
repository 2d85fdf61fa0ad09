// The update feed: kept small, the reader is being rewritten. A feed reads or
// is refused with the feed's error; every kept item has a version and a
// download; the offered update is newer than the running version and than
// every other eligible item.
#include "platform/appcast/Appcast.h"

#include "FuzzSupport.h"
#include "platform/appcast/VersionComparator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto feed = Appcast::parse(fuzzBytes(data, size));
    if (!feed) {
        require(feed.error().domain == u"Appcast", "a refused feed says so");
        return 0;
    }
    const QSet<QString> channels{QStringLiteral("beta")};
    const QString current = QStringLiteral("1.0");
    const auto best = feed.value().bestUpdate(channels, current);
    for (const Appcast::Item& item : feed.value().items()) {
        require(!item.version.isEmpty() && !item.downloads.isEmpty(), "kept items are usable");
        const bool eligible = item.channel.isEmpty() || channels.contains(item.channel);
        if (eligible && VersionComparator::compare(item.version, current) > 0) {
            require(best.has_value(), "a newer eligible item is offered");
            require(VersionComparator::compare(item.version, best->version) <= 0,
                    "nothing eligible is newer than the offer");
        }
    }
    if (best)
        require(VersionComparator::compare(best->version, current) > 0, "the offer is newer");
    return 0;
}
