#include "ui/Spinner.h"

#include "ui/SemanticColor.h"

#include <QPainter>
#include <QTimerEvent>

namespace {

constexpr int spokes = 12;
constexpr int stepMilliseconds = 1000 / spokes; // one turn a second

} // namespace

Spinner::Spinner(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Spinner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(width(), height());
    painter.translate(rect().center() + QPointF(0.5, 0.5));
    painter.scale(side / 16, side / 16);
    const QColor base = semanticColor(SemanticColor::secondary, palette());
    for (int i = 0; i < spokes; ++i) {
        // The leading spoke is the darkest; those behind it fade.
        const int age = (m_step - i + spokes) % spokes;
        QColor color = base;
        color.setAlphaF(1.0f - 0.75f * float(age) / spokes);
        painter.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.save();
        painter.rotate(360.0 * i / spokes);
        painter.drawLine(QPointF(0, -3.6), QPointF(0, -7));
        painter.restore();
    }
}

void Spinner::showEvent(QShowEvent*)
{
    m_timer.start(stepMilliseconds, this);
}

void Spinner::hideEvent(QHideEvent*)
{
    m_timer.stop();
}

void Spinner::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timer.timerId())
        return QWidget::timerEvent(event);
    m_step = (m_step + 1) % spokes;
    update();
}
