#include "platform/appcast/VersionComparator.h"

#include <QList>
#include <algorithm>

namespace {

int sign(qsizetype value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Compares digit strings of any length, without overflowing.
int compareNumbers(QStringView a, QStringView b)
{
    while (a.startsWith(u'0'))
        a = a.sliced(1);
    while (b.startsWith(u'0'))
        b = b.sliced(1);
    if (a.size() != b.size())
        return sign(a.size() - b.size());
    return sign(a.compare(b));
}

int compareComponents(QStringView a, QStringView b)
{
    const auto digitsOf = [](QStringView part) {
        return part.first(std::find_if_not(part.begin(), part.end(), isAsciiDigit) - part.begin());
    };
    const QStringView numberA = digitsOf(a);
    const QStringView numberB = digitsOf(b);
    if (const int order = compareNumbers(numberA, numberB))
        return order;
    const QStringView suffixA = a.sliced(numberA.size());
    const QStringView suffixB = b.sliced(numberB.size());
    if (suffixA.isEmpty() != suffixB.isEmpty())
        return suffixA.isEmpty() ? 1 : -1; // the release comes after its pre-releases
    return sign(suffixA.compare(suffixB));
}

} // namespace

namespace VersionComparator {

int compare(QStringView a, QStringView b)
{
    const QList<QStringView> partsA = a.trimmed().split(u'.');
    const QList<QStringView> partsB = b.trimmed().split(u'.');
    const QStringView zero = u"0";
    for (qsizetype i = 0; i < std::max(partsA.size(), partsB.size()); ++i) {
        if (const int order = compareComponents(partsA.value(i, zero), partsB.value(i, zero)))
            return order;
    }
    return 0;
}

} // namespace VersionComparator
