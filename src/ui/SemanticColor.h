#pragma once

#include <QColor>
#include <QPalette>

// The few colours that carry meaning: state tints and message lines. Each
// resolves against the palette it is shown in, so it reads on a light and on a
// dark window alike.
enum class SemanticColor
{
    green,
    red,
    orange,
    yellow,
    secondary // dimmed text, derived from the palette's own text colour
};

QColor semanticColor(SemanticColor color, const QPalette& palette);
// True when the palette's window is dark (its text then is light).
bool isDarkPalette(const QPalette& palette);
// The palette's link colour, lifted on a dark window where a deep blue would
// not read.
QColor linkColor(const QPalette& palette);
