#include "ui/SemanticColor.h"

namespace {

// Light windows get deeper hues than the bright system ones, which are too
// faint for text on white; dark windows get the bright ones.
QColor hue(SemanticColor color, bool dark)
{
    switch (color) {
    case SemanticColor::green:
        return dark ? QColor(0x30, 0xD1, 0x58) : QColor(0x1A, 0x8F, 0x3C);
    case SemanticColor::red:
        return dark ? QColor(0xFF, 0x69, 0x61) : QColor(0xD9, 0x30, 0x25);
    case SemanticColor::orange:
        return dark ? QColor(0xFF, 0x9F, 0x0A) : QColor(0xCC, 0x6A, 0x00);
    case SemanticColor::yellow:
        return dark ? QColor(0xFF, 0xD6, 0x0A) : QColor(0xA6, 0x7C, 0x00);
    case SemanticColor::secondary:
        break;
    }
    return {};
}

QColor blend(const QColor& from, const QColor& to, qreal amount)
{
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * amount),
                            float(from.greenF() + (to.greenF() - from.greenF()) * amount),
                            float(from.blueF() + (to.blueF() - from.blueF()) * amount));
}

} // namespace

bool isDarkPalette(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

QColor semanticColor(SemanticColor color, const QPalette& palette)
{
    if (color != SemanticColor::secondary)
        return hue(color, isDarkPalette(palette));
    // Opaque rather than translucent, so text antialiasing stays clean.
    return blend(palette.color(QPalette::Window), palette.color(QPalette::WindowText), 0.58);
}

QColor linkColor(const QPalette& palette)
{
    const QColor link = palette.color(QPalette::Link);
    if (!isDarkPalette(palette) || link.lightnessF() >= 0.6)
        return link;
    return blend(link, Qt::white, 0.5);
}
