#include "core/base/ByteCountFormatter.h"

#include <array>
#include <cmath>

namespace {

struct Unit
{
    const char16_t* name;
    int decimals;
};

constexpr std::array<Unit, 5> units{{
    {u"KB", 0},
    {u"MB", 1},
    {u"GB", 2},
    {u"TB", 2},
    {u"PB", 2},
}};

// `value` rounded to `decimals` places, without trailing zeros.
QString number(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text;
}

} // namespace

namespace ByteCountFormatter {

QString fileString(qint64 bytes)
{
    if (bytes == 0)
        return QStringLiteral("Zero KB");
    const qint64 magnitude = bytes < 0 ? -bytes : bytes;
    if (magnitude < 1000)
        return QString::number(bytes) +
               (magnitude == 1 ? QStringLiteral(" byte") : QStringLiteral(" bytes"));
    double value = double(bytes) / 1000.0;
    std::size_t unit = 0;
    // Moves up while the rounded figure would read 1,000 or more.
    while (unit + 1 < units.size()) {
        const double scale = std::pow(10.0, units[unit].decimals);
        if (std::abs(std::round(value * scale) / scale) < 1000.0)
            break;
        value /= 1000.0;
        ++unit;
    }
    return number(value, units[unit].decimals) + u' ' + QString::fromUtf16(units[unit].name);
}

} // namespace ByteCountFormatter
