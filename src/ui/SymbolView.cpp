#include "ui/SymbolView.h"

#include "ui/Style.h"
#include "ui/Symbols.h"

#include <QPainter>

SymbolView::SymbolView(QString name, SemanticColor tint, TextStyle size, QWidget* parent)
    : QWidget(parent)
    , m_name(std::move(name))
    , m_tint(tint)
{
    Style::setTextStyle(this, size);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SymbolView::setSymbol(const QString& name, SemanticColor tint)
{
    if (name == m_name && tint == m_tint)
        return;
    m_name = name;
    m_tint = tint;
    update();
}

QSize SymbolView::sizeHint() const
{
    // A symbol is about as tall as the capitals and ascenders of its text.
    const int side = qRound(QFontMetricsF(font()).ascent() * 1.05);
    return {side, side};
}

void SymbolView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Symbols::paint(painter, rect(), m_name, semanticColor(m_tint, palette()));
}
