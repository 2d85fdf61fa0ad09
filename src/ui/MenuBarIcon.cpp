#include "ui/MenuBarIcon.h"

#include "ui/Symbols.h"

#include <QPainter>

namespace {

constexpr qreal activeOpacity = 1.0;
constexpr qreal idleOpacity = 0.4;

QImage emptyCanvas()
{
    const QSize pixels = (MenuBarIcon::size * MenuBarIcon::scale).toSize();
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(MenuBarIcon::scale);
    image.fill(Qt::transparent);
    return image;
}

// Opacity applies to the finished drawing: applied stroke by stroke, the
// erasing triangle would only erase part of the bars under it.
void applyOpacity(QImage& image, qreal opacity)
{
    if (opacity >= 1.0)
        return;
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.fillRect(image.rect(), QColor(0, 0, 0, qRound(opacity * 255)));
}

QImage circleSymbol(qreal opacity)
{
    QImage image = emptyCanvas();
    if (image.isNull() || !Symbols::contains(QStringLiteral("circle.fill")))
        return {};
    {
        QPainter painter(&image);
        Symbols::paint(painter, QRectF(QPointF(), MenuBarIcon::size), QStringLiteral("circle.fill"),
                       Qt::black);
    }
    applyOpacity(image, opacity);
    return image;
}

} // namespace

MenuBarIcon::MenuBarIcon()
    : MenuBarIcon(&MenuBarIcon::renderMark)
{}

MenuBarIcon::MenuBarIcon(Renderer renderer)
    : m_renderer(std::move(renderer))
{}

const QImage& MenuBarIcon::active()
{
    if (!m_active)
        m_active = render(activeOpacity);
    return *m_active;
}

const QImage& MenuBarIcon::idle()
{
    if (!m_idle)
        m_idle = render(idleOpacity);
    return *m_idle;
}

const QImage& MenuBarIcon::forStatus(const DaemonStatus& status)
{
    return status.isRunning() ? active() : idle();
}

QImage MenuBarIcon::render(qreal opacity) const
{
    // Should the drawing fail (no memory for the image), a plain dot stands
    // in; should that fail too, the tray shows an empty icon.
    QImage image = m_renderer(m_mark, opacity);
    if (image.isNull())
        image = circleSymbol(opacity);
    return image;
}

QImage MenuBarIcon::renderMark(const ZentropeMark& mark, qreal opacity)
{
    QImage image = emptyCanvas();
    if (image.isNull())
        return image;
    {
        QPainter painter(&image);
        const QSizeF room = QSizeF(image.size()) / scale;
        painter.translate((room.width() - size.width()) / 2, (room.height() - size.height()) / 2);
        mark.paint(painter, size);
    }
    applyOpacity(image, opacity);
    return image;
}

QImage MenuBarIcon::tinted(const QImage& mask, const QColor& color)
{
    QImage image = mask.copy();
    if (image.isNull())
        return image;
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(image.rect(), color);
    return image;
}
