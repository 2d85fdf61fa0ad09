#pragma once

#include "ui/SemanticColor.h"

#include <QColor>
#include <QIcon>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

// The SF Symbols the design names, drawn by us as vector outlines, so they are
// crisp at any size and device pixel ratio. The system names are the keys:
// "circle.fill", "exclamationmark.triangle.fill", "lifepreserver", …
class Symbols
{
public:
    static QStringList names();
    static bool contains(const QString& name);

    // Fills the symbol into the largest square centred in `rect`. An unknown
    // name paints nothing.
    static void paint(QPainter& painter, const QRectF& rect, const QString& name,
                      const QColor& color);
    // An icon drawn at whatever size and pixel ratio it is asked for; in a
    // selected row it takes `selectedColor` when one is given.
    static QIcon icon(const QString& name, const QColor& color, const QColor& selectedColor = {});
    static QIcon icon(const QString& name, SemanticColor tint, const QPalette& palette);
};
