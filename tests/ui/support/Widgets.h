#pragma once

#include <QList>
#include <QPalette>
#include <QStringList>

class QPushButton;
class QWidget;

// Finding widgets as a person sees them, for the views' suites.
namespace Widgets {

// The texts of the buttons below `root` that are shown, in layout order.
QStringList visibleButtonTexts(const QWidget* root);
// The shown button with `text`, or null.
QPushButton* visibleButton(const QWidget* root, const QString& text);
// Clicks the shown button with `text`; a test failure when there is none.
void click(const QWidget* root, const QString& text);
// The texts of the labels below `root` that are shown and not empty, in creation order.
QStringList shownTexts(const QWidget* root);
// Controls below `root` that take keyboard focus but have no accessible name.
QList<QWidget*> unnamedControls(const QWidget* root);
// A dark palette in the manner of a dark desktop theme.
QPalette darkPalette();

} // namespace Widgets
