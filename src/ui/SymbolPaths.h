#pragma once

#include <QPainterPath>
#include <QString>
#include <QStringList>

// The outlines of the symbols we draw, each a filled path in a 100 × 100 box
// (y grows downward), shaped after the SF Symbol of the same name at regular
// weight. Knocked-out parts (the exclamation mark in a filled circle) are holes.
class SymbolPaths
{
public:
    static QStringList names();
    // An empty path for a name we do not draw.
    static QPainterPath path(const QString& name);

    static constexpr qreal boxSize = 100;
};
