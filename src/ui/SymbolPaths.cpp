#include "ui/SymbolPaths.h"

#include <QLineF>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <QtMath>
#include <array>
#include <cmath>

namespace {

constexpr qreal weight = 8; // the stroke of the regular weight
constexpr QPointF centre(50, 50);

QPainterPath stroked(const QPainterPath& path, qreal width, Qt::PenCapStyle cap = Qt::RoundCap)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(cap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path).simplified();
}

QPainterPath line(QPointF from, QPointF to)
{
    QPainterPath path(from);
    path.lineTo(to);
    return path;
}

QPainterPath polyline(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    return path;
}

QPainterPath disc(QPointF at, qreal radius)
{
    QPainterPath path;
    path.addEllipse(at, radius, radius);
    return path;
}

// A circle outline whose outer edge has `radius`.
QPainterPath ring(QPointF at, qreal radius, qreal width = weight)
{
    return stroked(disc(at, radius - width / 2), width);
}

// A regular-ish polygon with its corners rounded by `radius`, keeping its
// edges where they are: shrunk towards `middle` (whose distance to every edge
// is `apothem`) by `radius`, then grown back with round joins.
QPainterPath rounded(const QPolygonF& polygon, QPointF middle, qreal apothem, qreal radius)
{
    QPolygonF inner;
    for (const QPointF& corner : polygon)
        inner << middle + (corner - middle) * ((apothem - radius) / apothem);
    QPainterPath shape;
    shape.addPolygon(inner);
    shape.closeSubpath();
    return shape.united(stroked(shape, 2 * radius));
}

// An exclamation mark standing from `top` to `bottom`, its dot below.
QPainterPath exclamationMark(qreal top, qreal bottom, qreal dotY)
{
    return stroked(line({50, top}, {50, bottom}), 9.5).united(disc({50, dotY}, 5.6));
}

QPainterPath circleFill()
{
    return disc(centre, 43);
}

QPainterPath circleOutline()
{
    return ring(centre, 43);
}

QPainterPath circleDotted()
{
    QPainterPath dots;
    constexpr int count = 14;
    for (int i = 0; i < count; ++i) {
        const qreal angle = 2 * M_PI * i / count;
        dots.addEllipse(centre + QPointF(std::sin(angle), -std::cos(angle)) * 38.5, 4.5, 4.5);
    }
    return dots;
}

QPainterPath circleDashed()
{
    QPainterPath dashes;
    constexpr int count = 12;
    constexpr qreal step = 360.0 / count;
    constexpr qreal dash = 19;
    const QRectF circle(centre - QPointF(39, 39), QSizeF(78, 78));
    for (int i = 0; i < count; ++i) {
        QPainterPath arc;
        arc.arcMoveTo(circle, 90 - dash / 2 + i * step);
        arc.arcTo(circle, 90 - dash / 2 + i * step, dash);
        dashes.addPath(stroked(arc, weight, Qt::FlatCap));
    }
    return dashes;
}

QPainterPath triangleFill()
{
    const QPointF top(50, 7), right(97, 90), left(3, 90);
    // The incentre is the one point as far from all three edges.
    const qreal a = QLineF(right, left).length(), b = QLineF(left, top).length(),
                c = QLineF(top, right).length();
    const QPointF incentre = (top * a + right * b + left * c) / (a + b + c);
    const qreal area = std::abs(QLineF(top, right).dx() * QLineF(top, left).dy() -
                                QLineF(top, right).dy() * QLineF(top, left).dx()) /
                       2;
    const qreal inradius = 2 * area / (a + b + c);
    return rounded(QPolygonF{top, right, left}, incentre, inradius, 9)
        .subtracted(exclamationMark(39, 63, 77));
}

QPainterPath exclamationCircleFill()
{
    return disc(centre, 43).subtracted(exclamationMark(25, 55, 71));
}

QPainterPath checkmarkCircleFill()
{
    const QPainterPath check = stroked(polyline({{29, 51}, {44, 65}, {71, 35}}), 9.5);
    return disc(centre, 43).subtracted(check);
}

QPainterPath xmarkOctagonFill()
{
    QPolygonF octagon;
    for (int i = 0; i < 8; ++i) {
        const qreal angle = qDegreesToRadians(22.5 + 45 * i);
        octagon << centre + QPointF(std::cos(angle), std::sin(angle)) * 47;
    }
    const QPainterPath cross =
        stroked(line({36, 36}, {64, 64}), 9.5).united(stroked(line({64, 36}, {36, 64}), 9.5));
    return rounded(octagon, centre, 47 * std::cos(qDegreesToRadians(22.5)), 7).subtracted(cross);
}

QPainterPath lockSlash()
{
    QPainterPath body;
    body.addRoundedRect(QRectF(23, 45, 54, 43), 9, 9);
    QPainterPath shackle(QPointF(35, 45));
    shackle.lineTo(35, 31);
    shackle.arcTo(QRectF(35, 16, 30, 30), 180, -180);
    shackle.lineTo(65, 45);
    const QPainterPath lock = stroked(body, weight).united(stroked(shackle, weight, Qt::FlatCap));
    const QPainterPath slash = line({13, 9}, {87, 93});
    return lock.subtracted(stroked(slash, weight + 8)).united(stroked(slash, weight));
}

QPainterPath puzzlePiece()
{
    QPainterPath piece;
    piece.addRoundedRect(QRectF(12, 34, 56, 56), 8, 8);
    piece.addEllipse(QPointF(40, 23), 11, 11); // the knob on top
    piece.addRect(QRectF(33, 23, 14, 13));
    piece.addEllipse(QPointF(79, 62), 11, 11); // the knob on the right
    piece.addRect(QRectF(66, 55, 13, 14));
    piece.setFillRule(Qt::WindingFill);
    return piece.simplified();
}

QPainterPath puzzlePieceOutline()
{
    return stroked(puzzlePiece(), weight);
}

QPainterPath accessibilityFigure()
{
    QPainterPath figure = ring(centre, 45, 7);
    figure.addPath(disc({50, 27}, 6.5));
    figure.addPath(stroked(polyline({{26, 39}, {50, 42}, {74, 39}}), 7));
    figure.addPath(stroked(line({50, 42}, {50, 59}), 8));
    figure.addPath(stroked(polyline({{38, 78}, {50, 58}, {62, 78}}), 7));
    figure.setFillRule(Qt::WindingFill);
    return figure.simplified();
}

QPainterPath documentMagnifier()
{
    QPainterPath page;
    page.addPolygon(QPolygonF{QPointF(17, 6), QPointF(53, 6), QPointF(75, 28), QPointF(75, 94),
                              QPointF(17, 94)});
    page.closeSubpath();
    QPainterPath document = stroked(page, weight);
    document.addPath(stroked(polyline({{53, 6}, {53, 28}, {75, 28}}), weight));
    for (const qreal y : {44.0, 57.0})
        document.addPath(stroked(line({31, y}, {52, y}), 6.5));
    document.setFillRule(Qt::WindingFill);

    const QPointF lens(63, 67);
    const QPainterPath handle = line({74, 78}, {90, 94});
    const QPainterPath clearing = disc(lens, 22).united(stroked(handle, 11 + 9));
    QPainterPath glass = ring(lens, 18);
    glass.addPath(stroked(handle, 11));
    glass.setFillRule(Qt::WindingFill);
    return document.simplified().subtracted(clearing).united(glass.simplified());
}

QPainterPath lifePreserver()
{
    QPainterPath preserver = ring(centre, 44, 7);
    preserver.addPath(ring(centre, 24, 7));
    const QRectF outer(centre - QPointF(42, 42), QSizeF(84, 84));
    for (const qreal middle : {45.0, 135.0, 225.0, 315.0}) {
        QPainterPath band;
        band.arcMoveTo(outer, middle - 17);
        band.arcTo(outer, middle - 17, 34);
        band.arcTo(QRectF(centre - QPointF(19, 19), QSizeF(38, 38)), middle + 17, -34);
        band.closeSubpath();
        preserver.addPath(band);
    }
    preserver.setFillRule(Qt::WindingFill);
    return preserver.simplified();
}

struct Symbol
{
    const char* name;
    QPainterPath (*draw)();
};

constexpr std::array<Symbol, 14> symbols{{
    {"circle.fill", circleFill},
    {"circle", circleOutline},
    {"circle.dotted", circleDotted},
    {"circle.dashed", circleDashed},
    {"exclamationmark.triangle.fill", triangleFill},
    {"exclamationmark.circle.fill", exclamationCircleFill},
    {"checkmark.circle.fill", checkmarkCircleFill},
    {"xmark.octagon.fill", xmarkOctagonFill},
    {"lock.slash", lockSlash},
    {"puzzlepiece.extension", puzzlePieceOutline},
    {"puzzlepiece.extension.fill", puzzlePiece},
    {"accessibility", accessibilityFigure},
    {"doc.text.magnifyingglass", documentMagnifier},
    {"lifepreserver", lifePreserver},
}};

} // namespace

QStringList SymbolPaths::names()
{
    QStringList names;
    for (const Symbol& symbol : symbols)
        names << QString::fromLatin1(symbol.name);
    return names;
}

QPainterPath SymbolPaths::path(const QString& name)
{
    for (const Symbol& symbol : symbols) {
        if (name == QLatin1StringView(symbol.name))
            return symbol.draw();
    }
    return {};
}
