#include "ui/ZentropeMark.h"

#include <QPainter>
#include <algorithm>

ZentropeMark::ZentropeMark()
{
    m_triangle.moveTo(30, 12);
    m_triangle.quadTo(34, 8, 38, 12);
    m_triangle.lineTo(56, 44);
    m_triangle.quadTo(58, 48, 54, 50);
    m_triangle.lineTo(14, 50);
    m_triangle.quadTo(10, 48, 12, 44);
    m_triangle.closeSubpath();
}

qreal ZentropeMark::fit(const QSizeF& canvas)
{
    return std::min(canvas.width() / visibleRegion.width(),
                    canvas.height() / visibleRegion.height());
}

void ZentropeMark::paint(QPainter& painter, const QSizeF& canvas, const QColor& color) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = fit(canvas);
    painter.scale(scale, scale);
    painter.translate(-visibleRegion.topLeft());

    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    for (const Bar& bar : bars) {
        const qreal radius = barThickness / 2;
        painter.save();
        painter.translate(barX, bar.y + radius);
        painter.rotate(bar.degrees);
        painter.drawRoundedRect(QRectF(0, -radius, barLength, barThickness), radius, radius);
        painter.restore();
    }

    painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
    painter.fillPath(m_triangle, Qt::black);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);

    QPen outline(color, outlineWidth, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    outline.setMiterLimit(10);
    painter.strokePath(m_triangle, outline);
    painter.restore();
}
