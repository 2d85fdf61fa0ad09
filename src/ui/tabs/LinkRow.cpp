#include "ui/tabs/LinkRow.h"

#include "ui/SemanticColor.h"
#include "ui/Style.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int labelWidth = 110;

} // namespace

LinkRow::LinkRow(const QString& label, const QString& value, std::function<void()> action,
                 QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* name = new QLabel(label, this);
    name->setFixedWidth(labelWidth);
    Style::setTint(name, SemanticColor::secondary);
    row->addWidget(name, 0, Qt::AlignVCenter);

    m_link = new QPushButton(value, this);
    m_link->setFlat(true);
    m_link->setAutoDefault(false);
    m_link->setCursor(Qt::PointingHandCursor);
    m_link->setAccessibleName(label + QStringLiteral(": ") + value);
    QFont font = m_link->font();
    font.setUnderline(true);
    m_link->setFont(font);
    applyLinkColour();
    connect(m_link, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
    row->addWidget(m_link, 0, Qt::AlignVCenter);
    row->addStretch();
}

void LinkRow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyLinkColour();
}

void LinkRow::applyLinkColour()
{
    QPalette palette = m_link->palette();
    const QColor colour = linkColor(this->palette());
    for (const auto group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::ButtonText, colour);
    m_link->setPalette(palette);
}
