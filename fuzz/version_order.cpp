// The version order must be a total order, or "newest" means nothing:
// reflexive, antisymmetric and transitive over any three strings.
#include "FuzzSupport.h"
#include "platform/appcast/VersionComparator.h"

#include <QString>

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto pieces = fuzzPieces(fuzzBytes(data, size), '\n', 3);
    const QString a = QString::fromUtf8(pieces[0]);
    const QString b = QString::fromUtf8(pieces[1]);
    const QString c = QString::fromUtf8(pieces[2]);
    using VersionComparator::compare;
    require(compare(a, a) == 0, "reflexive");
    const int ab = sign(compare(a, b));
    const int bc = sign(compare(b, c));
    const int ac = sign(compare(a, c));
    require(ab == -sign(compare(b, a)), "antisymmetric");
    if (ab <= 0 && bc <= 0)
        require(ac <= 0 && (ac < 0 || (ab == 0 && bc == 0)), "transitive");
    if (ab == 0)
        require(ac == bc, "equal versions order alike");
    return 0;
}
