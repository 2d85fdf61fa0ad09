#include "ui/tabs/LogPane.h"

#include "ui/Fonts.h"
#include "ui/SemanticColor.h"
#include "ui/tabs/LogTextView.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr qreal cornerRadius = 4;
constexpr qreal borderWidth = 1;

} // namespace

LogPane::LogPane(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* layout = new QVBoxLayout(this);
    const int inset = qCeil(borderWidth);
    layout->setContentsMargins(inset, inset, inset, inset);

    m_text = new LogTextView(this);
    m_text->setAccessibleName(tr("Log"));
    m_text->setFrameShape(QFrame::NoFrame);
    m_text->setFont(Fonts::monospaced(TextStyle::callout, QApplication::font()));
    layout->addWidget(m_text);
}

void LogPane::showText(const QString& text)
{
    m_text->setText(text);
}

void LogPane::edit(qsizetype removed, const QString& added)
{
    m_text->edit(removed, added);
}

void LogPane::scrollToEnd()
{
    m_text->scrollToEnd();
}

QString LogPane::text() const
{
    return m_text->text();
}

void LogPane::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal half = borderWidth / 2;
    const QRectF frame = QRectF(rect()).adjusted(half, half, -half, -half);
    QPainterPath outline;
    outline.addRoundedRect(frame, cornerRadius, cornerRadius);

    QColor background = palette().color(QPalette::Base);
    background.setAlphaF(0.6f);
    painter.fillPath(outline, background);
    QColor border = semanticColor(SemanticColor::secondary, palette());
    border.setAlphaF(0.3f);
    painter.setPen(QPen(border, borderWidth));
    painter.drawPath(outline);
}
