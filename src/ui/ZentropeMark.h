#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>
#include <QSizeF>
#include <array>

class QPainter;

// The application's mark: four bars fanning out to the right from inside a
// rounded triangle, whose inside erases them, so they seem to leave its right
// side. Drawn in design units, y growing downward; the drawing occupies the
// region `visibleRegion` of that plane, which is fitted into whatever canvas
// it is given.
class ZentropeMark
{
public:
    static constexpr QRectF visibleRegion{8.4, 6.4, 61.2, 45.2};

    // A bar: its rectangle's top edge and the angle it turns by, clockwise on
    // screen, about the middle of its left end.
    struct Bar
    {
        qreal y;
        qreal degrees;
    };
    static constexpr std::array<Bar, 4> bars{{{22, -12}, {28, -4}, {34, 4}, {40, 12}}};
    static constexpr qreal barX = 36;
    static constexpr qreal barLength = 32;
    static constexpr qreal barThickness = 2.6;
    static constexpr qreal outlineWidth = 2.2;

    // Builds the triangle's outline, once for the life of the mark.
    ZentropeMark();

    // The scale that fits the visible region into `canvas`, keeping its
    // proportions: the same from both sides when the aspect ratios agree.
    static qreal fit(const QSizeF& canvas);

    // Paints the mark in `color` into a canvas of `canvas` at the painter's
    // origin, fitted and at its top-left. The triangle erases what lies under
    // it (destination-out), so paint onto a transparent layer of its own.
    void paint(QPainter& painter, const QSizeF& canvas, const QColor& color = Qt::black) const;

    const QPainterPath& triangle() const { return m_triangle; }

private:
    QPainterPath m_triangle;
};
