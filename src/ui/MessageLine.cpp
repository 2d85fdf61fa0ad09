#include "ui/MessageLine.h"

#include "ui/Style.h"
#include "ui/SymbolView.h"

#include <QHBoxLayout>
#include <QLabel>

MessageLine::MessageLine(const QString& symbol, SemanticColor tint, TextStyle style,
                         QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(new SymbolView(symbol, tint, style, this), 0, Qt::AlignTop);
    m_label = new QLabel(this);
    m_label->setWordWrap(true);
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Style::setTextStyle(m_label, style);
    Style::setTint(m_label, tint);
    row->addWidget(m_label, 1);
    hide();
}

void MessageLine::setMessage(const std::optional<QString>& text)
{
    m_label->setText(text.value_or(QString()));
    setVisible(text.has_value());
}

QString MessageLine::text() const
{
    return m_label->text();
}
