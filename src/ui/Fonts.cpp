#include "ui/Fonts.h"

#include <QFontDatabase>

namespace {

constexpr qreal bodyPoints = 13;

qreal points(TextStyle style)
{
    switch (style) {
    case TextStyle::title2:
        return 17;
    case TextStyle::title3:
        return 15;
    case TextStyle::headline:
    case TextStyle::body:
        return 13;
    case TextStyle::subheadline:
        return 11;
    case TextStyle::callout:
        return 12;
    case TextStyle::caption:
    case TextStyle::caption2:
        return 10;
    }
    return bodyPoints;
}

void scale(QFont& font, TextStyle style, const QFont& applicationFont)
{
    const qreal factor = points(style) / bodyPoints;
    // A font given in pixels has no point size; keep its unit.
    if (applicationFont.pointSizeF() > 0)
        font.setPointSizeF(applicationFont.pointSizeF() * factor);
    else
        font.setPixelSize(qMax(1, qRound(applicationFont.pixelSize() * factor)));
    if (style == TextStyle::headline)
        font.setWeight(QFont::DemiBold);
}

} // namespace

QFont Fonts::font(TextStyle style, const QFont& applicationFont)
{
    QFont font = applicationFont;
    scale(font, style, applicationFont);
    return font;
}

QFont Fonts::monospaced(TextStyle style, const QFont& applicationFont)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    scale(font, style, applicationFont);
    return font;
}
