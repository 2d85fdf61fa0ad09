#include "ui/support/Widgets.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace Widgets {

QStringList visibleButtonTexts(const QWidget* root)
{
    QList<QPushButton*> buttons = root->findChildren<QPushButton*>();
    buttons.removeIf([root](QPushButton* button) { return !button->isVisibleTo(root); });
    std::sort(buttons.begin(), buttons.end(), [root](QPushButton* a, QPushButton* b) {
        return a->mapTo(root, QPoint()).x() < b->mapTo(root, QPoint()).x();
    });
    QStringList texts;
    for (const QPushButton* button : buttons)
        texts << button->text();
    return texts;
}

QPushButton* visibleButton(const QWidget* root, const QString& text)
{
    for (QPushButton* button : root->findChildren<QPushButton*>()) {
        if (button->text() == text && button->isVisibleTo(root))
            return button;
    }
    return nullptr;
}

bool click(const QWidget* root, const QString& text)
{
    QPushButton* button = visibleButton(root, text);
    if (button)
        QTest::mouseClick(button, Qt::LeftButton);
    return button != nullptr;
}

QStringList shownTexts(const QWidget* root)
{
    QStringList texts;
    for (const QLabel* label : root->findChildren<QLabel*>()) {
        if (label->isVisibleTo(root) && !label->text().isEmpty())
            texts << label->text();
    }
    return texts;
}

QList<QWidget*> unnamedControls(const QWidget* root)
{
    QList<QWidget*> unnamed;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(root))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << widget;
    }
    return unnamed;
}

QPalette darkPalette()
{
    QPalette palette(QColor(0x45, 0x45, 0x45));
    const auto set = [&palette](QPalette::ColorRole role, const QColor& color) {
        palette.setColor(QPalette::Active, role, color);
        palette.setColor(QPalette::Inactive, role, color);
    };
    set(QPalette::Window, QColor(0x32, 0x32, 0x32));
    set(QPalette::Base, QColor(0x26, 0x26, 0x26));
    set(QPalette::AlternateBase, QColor(0x2E, 0x2E, 0x2E));
    set(QPalette::Button, QColor(0x45, 0x45, 0x45));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        set(role, QColor(0xEE, 0xEE, 0xEE));
    set(QPalette::Mid, QColor(0x55, 0x55, 0x55));
    set(QPalette::Highlight, QColor(0x2A, 0x7F, 0xD4));
    set(QPalette::HighlightedText, Qt::white);
    set(QPalette::PlaceholderText, QColor(0x99, 0x99, 0x99));
    palette.setColor(QPalette::Disabled, QPalette::Window, QColor(0x32, 0x32, 0x32));
    palette.setColor(QPalette::Disabled, QPalette::Base, QColor(0x26, 0x26, 0x26));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return palette;
}

} // namespace Widgets
