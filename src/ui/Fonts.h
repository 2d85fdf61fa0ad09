#pragma once

#include <QFont>

// The semantic text sizes views use instead of point sizes of their own.
enum class TextStyle
{
    title2,
    title3,
    headline,
    subheadline,
    body,
    callout,
    caption,
    caption2
};

// Fonts for the text styles, derived from the application's font (the body
// size) in the proportions of the desktop text styles: 17, 15, 13 semibold,
// 11, 13, 12, 10 and 10 points against a body of 13.
class Fonts
{
public:
    static QFont font(TextStyle style, const QFont& applicationFont);
    // The same size in the desktop's fixed-pitch family.
    static QFont monospaced(TextStyle style, const QFont& applicationFont);
};
