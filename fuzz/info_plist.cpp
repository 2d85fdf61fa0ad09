// Info.plist of any program the user runs: never a crash, a rejection says
// why, and nothing deeper than the reader's limit comes out.
#include "FuzzSupport.h"
#include "core/base/PropertyList.h"

#include <QVariantList>
#include <utility>
#include <vector>

namespace {

int depthOf(const QVariant& root)
{
    int deepest = 0;
    std::vector<std::pair<QVariant, int>> pending{{root, 1}};
    while (!pending.empty()) {
        auto [value, depth] = std::move(pending.back());
        pending.pop_back();
        const bool isMap = value.typeId() == QMetaType::QVariantMap;
        if (!isMap && value.typeId() != QMetaType::QVariantList)
            continue;
        deepest = std::max(deepest, depth);
        const QVariantList children = isMap ? value.toMap().values() : value.toList();
        for (const QVariant& child : children)
            pending.emplace_back(child, depth + 1);
    }
    return deepest;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QString error;
    const auto dictionary = PropertyList::parseDictionary(fuzzBytes(data, size), &error);
    require(dictionary || !error.isEmpty(), "a rejected list says why");
    if (dictionary)
        require(depthOf(*dictionary) <= PropertyList::maxDepth, "nesting stays within the limit");
    return 0;
}
