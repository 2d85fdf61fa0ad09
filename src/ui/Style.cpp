#include "ui/Style.h"

#include <QApplication>
#include <QFrame>
#include <QPushButton>

namespace {

const char* const tintProperty = "zentropeTint";
const char* const prominentProperty = "zentropeProminent";

// The palette the widget would have without our tint: its window's.
QPalette basePalette(const QWidget* widget)
{
    return widget->window() != widget ? widget->window()->palette() : QApplication::palette();
}

void applyTint(QWidget* widget, SemanticColor color)
{
    QPalette palette = widget->palette();
    const QColor resolved = semanticColor(color, basePalette(widget));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, resolved);
    widget->setPalette(palette);
}

void applyProminence(QPushButton* button)
{
    const QPalette base = basePalette(button);
    QPalette palette = button->palette();
    // Styles paint a button lighter than its colour; starting from a deeper
    // accent keeps the white text readable. A disabled button keeps the
    // ordinary disabled look, so it does not seem pressable.
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Button, base.color(QPalette::Highlight).darker(125));
        palette.setColor(group, QPalette::ButtonText, base.color(QPalette::HighlightedText));
    }
    for (const auto role : {QPalette::Button, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, base.color(QPalette::Disabled, role));
    button->setPalette(palette);
}

} // namespace

void Style::setTextStyle(QWidget* widget, TextStyle style, bool bold)
{
    QFont font = Fonts::font(style, QApplication::font());
    if (bold)
        font.setBold(true);
    widget->setFont(font);
}

void Style::setTint(QWidget* widget, SemanticColor color)
{
    widget->setProperty(tintProperty, int(color));
    applyTint(widget, color);
}

void Style::setProminent(QPushButton* button, bool prominent)
{
    button->setProperty(prominentProperty, prominent);
    if (prominent)
        applyProminence(button);
    else
        button->setPalette(QPalette());
}

QFrame* Style::divider(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setForegroundRole(QPalette::Mid);
    return line;
}

void Style::refresh(QWidget* root)
{
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        const QVariant tint = widget->property(tintProperty);
        if (tint.isValid())
            applyTint(widget, SemanticColor(tint.toInt()));
        if (auto* button = qobject_cast<QPushButton*>(widget);
            button && button->property(prominentProperty).toBool())
            applyProminence(button);
    }
}
