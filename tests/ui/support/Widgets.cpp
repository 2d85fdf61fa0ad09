#include "ui/support/Widgets.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

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

void click(const QWidget* root, const QString& text)
{
    if (QPushButton* button = visibleButton(root, text))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        ADD_FAILURE() << "no button \"" << text.toStdString() << "\" is shown";
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
    QPalette palette(QColor(0x45, 0x45, 0x45), QColor(0x32, 0x32, 0x32));
    palette.setColor(QPalette::Base, QColor(0x26, 0x26, 0x26));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, QColor(0xEE, 0xEE, 0xEE));
    return palette;
}

} // namespace Widgets
