#pragma once

#include <QColor>
#include <QIconEngine>
#include <QString>

// Paints a symbol on demand, so an icon is sharp at every size and pixel
// ratio instead of being scaled from one bitmap. (QIcon asks for the pixmap
// in device pixels and sets its ratio itself.)
class SymbolIconEngine final : public QIconEngine
{
public:
    SymbolIconEngine(QString name, QColor color, QColor selectedColor);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    bool isNull() override;

private:
    QColor colorFor(QIcon::Mode mode) const;

    QString m_name;
    QColor m_color;
    QColor m_selectedColor;
};
