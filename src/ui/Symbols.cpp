#include "ui/Symbols.h"

#include "ui/SymbolIconEngine.h"
#include "ui/SymbolPaths.h"

#include <QPainter>

QStringList Symbols::names()
{
    return SymbolPaths::names();
}

bool Symbols::contains(const QString& name)
{
    return SymbolPaths::names().contains(name);
}

void Symbols::paint(QPainter& painter, const QRectF& rect, const QString& name, const QColor& color)
{
    const QPainterPath path = SymbolPaths::path(name);
    if (path.isEmpty())
        return;
    const qreal side = qMin(rect.width(), rect.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.center() - QPointF(side / 2, side / 2));
    painter.scale(side / SymbolPaths::boxSize, side / SymbolPaths::boxSize);
    painter.fillPath(path, color);
    painter.restore();
}

QIcon Symbols::icon(const QString& name, const QColor& color, const QColor& selectedColor)
{
    return QIcon(new SymbolIconEngine(name, color, selectedColor));
}

QIcon Symbols::icon(const QString& name, SemanticColor tint, const QPalette& palette)
{
    return icon(name, semanticColor(tint, palette));
}
