#include "ui/AppIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace {

// In units of a 256 × 256 icon.
constexpr qreal side = 256;
constexpr qreal tileInset = 16;
constexpr qreal tileRadius = 48;
constexpr qreal markWidth = 164;
const QColor tileTop(0x4C, 0x6E, 0xF5);
const QColor tileBottom(0x34, 0x4B, 0xC2);

QRectF markRect()
{
    const qreal height =
        markWidth * ZentropeMark::visibleRegion.height() / ZentropeMark::visibleRegion.width();
    return {(side - markWidth) / 2, (side - height) / 2, markWidth, height};
}

QString number(qreal value)
{
    return QString::number(value, 'g', 6);
}

QString svgPath(const QPainterPath& path)
{
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        if (element.isMoveTo())
            d += QStringLiteral("M%1 %2").arg(number(element.x), number(element.y));
        else if (element.isLineTo())
            d += QStringLiteral("L%1 %2").arg(number(element.x), number(element.y));
        else if (element.isCurveTo())
            d += QStringLiteral("C%1 %2").arg(number(element.x), number(element.y));
        else // the curve's further points
            d += QStringLiteral(" %1 %2").arg(number(element.x), number(element.y));
    }
    return d + u'Z';
}

} // namespace

QImage AppIcon::render(const ZentropeMark& mark, int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const qreal scale = pixels / side;

    // The mark erases what lies under it, so it is drawn on a layer of its own.
    QImage layer(image.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter painter(&layer);
        painter.scale(scale, scale);
        painter.translate(markRect().topLeft());
        mark.paint(painter, markRect().size(), Qt::white);
    }

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.save();
    painter.scale(scale, scale);
    QLinearGradient tile(0, tileInset, 0, side - tileInset);
    tile.setColorAt(0, tileTop);
    tile.setColorAt(1, tileBottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(
        QRectF(tileInset, tileInset, side - 2 * tileInset, side - 2 * tileInset), tileRadius,
        tileRadius);
    painter.restore();
    painter.drawImage(0, 0, layer);
    return image;
}

QIcon AppIcon::icon(const ZentropeMark& mark)
{
    QIcon icon;
    for (const int pixels : {32, 64, 128})
        icon.addPixmap(QPixmap::fromImage(render(mark, pixels)));
    return icon;
}

QByteArray AppIcon::svg(const ZentropeMark& mark)
{
    const QRectF place = markRect();
    const qreal scale = place.width() / ZentropeMark::visibleRegion.width();
    const QString triangle = svgPath(mark.triangle());
    QString bars;
    for (const ZentropeMark::Bar& bar : ZentropeMark::bars) {
        const qreal radius = ZentropeMark::barThickness / 2;
        bars += QStringLiteral("      <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" "
                               "transform=\"rotate(%6 %1 %7)\"/>\n")
                    .arg(number(ZentropeMark::barX), number(bar.y), number(ZentropeMark::barLength),
                         number(ZentropeMark::barThickness), number(radius), number(bar.degrees),
                         number(bar.y + radius));
    }
    const QString text =
        QStringLiteral(
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
            "viewBox=\"0 0 256 256\">\n"
            "  <defs>\n"
            "    <linearGradient id=\"tile\" x1=\"0\" y1=\"%1\" x2=\"0\" y2=\"%2\" "
            "gradientUnits=\"userSpaceOnUse\">\n"
            "      <stop offset=\"0\" stop-color=\"%3\"/>\n"
            "      <stop offset=\"1\" stop-color=\"%4\"/>\n"
            "    </linearGradient>\n"
            "    <mask id=\"outside\" maskUnits=\"userSpaceOnUse\" x=\"0\" y=\"0\" width=\"80\" "
            "height=\"60\">\n"
            "      <rect width=\"80\" height=\"60\" fill=\"#fff\"/>\n"
            "      <path d=\"%5\" fill=\"#000\"/>\n"
            "    </mask>\n"
            "  </defs>\n"
            "  <rect x=\"%1\" y=\"%1\" width=\"%6\" height=\"%6\" rx=\"%7\" fill=\"url(#tile)\"/>\n"
            "  <g transform=\"translate(%8 %9) scale(%10) translate(%11 %12)\" fill=\"#fff\">\n"
            "    <g mask=\"url(#outside)\">\n%13    </g>\n"
            "    <path d=\"%5\" fill=\"none\" stroke=\"#fff\" stroke-width=\"%14\" "
            "stroke-linecap=\"butt\" stroke-linejoin=\"round\" stroke-miterlimit=\"10\"/>\n"
            "  </g>\n"
            "</svg>\n")
            .arg(number(tileInset), number(side - tileInset), tileTop.name(), tileBottom.name(),
                 triangle, number(side - 2 * tileInset), number(tileRadius), number(place.x()),
                 number(place.y()))
            .arg(number(scale), number(-ZentropeMark::visibleRegion.x()),
                 number(-ZentropeMark::visibleRegion.y()), bars,
                 number(ZentropeMark::outlineWidth));
    return text.toUtf8();
}
