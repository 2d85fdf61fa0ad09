#include "ui/SymbolIconEngine.h"

#include "ui/Symbols.h"

#include <QPainter>
#include <QPixmap>

SymbolIconEngine::SymbolIconEngine(QString name, QColor color, QColor selectedColor)
    : m_name(std::move(name))
    , m_color(std::move(color))
    , m_selectedColor(std::move(selectedColor))
{}

QColor SymbolIconEngine::colorFor(QIcon::Mode mode) const
{
    if (mode == QIcon::Selected && m_selectedColor.isValid())
        return m_selectedColor;
    if (mode == QIcon::Disabled) {
        QColor faded = m_color;
        faded.setAlphaF(faded.alphaF() * 0.4f);
        return faded;
    }
    return m_color;
}

void SymbolIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State)
{
    Symbols::paint(*painter, rect, m_name, colorFor(mode));
}

QPixmap SymbolIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    Symbols::paint(painter, QRectF(QPointF(0, 0), QSizeF(size)), m_name, colorFor(mode));
    return pixmap;
}

QIconEngine* SymbolIconEngine::clone() const
{
    return new SymbolIconEngine(m_name, m_color, m_selectedColor);
}

QString SymbolIconEngine::key() const
{
    return QStringLiteral("SymbolIconEngine");
}

bool SymbolIconEngine::isNull()
{
    return !Symbols::contains(m_name);
}
