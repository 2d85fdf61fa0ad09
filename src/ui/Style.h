#pragma once

#include "ui/Fonts.h"
#include "ui/SemanticColor.h"

class QFrame;
class QPushButton;
class QWidget;

// How views give a widget a semantic look without sizes or colours of their
// own. Tints and prominence follow the palette: the main window calls
// refresh() when the palette changes (a dark theme switched on, say).
class Style
{
public:
    static void setTextStyle(QWidget* widget, TextStyle style, bool bold = false);
    // Text in the semantic colour.
    static void setTint(QWidget* widget, SemanticColor color);
    // The accent-filled button of a primary action ("Start"), or, with
    // false, the button's ordinary look again.
    static void setProminent(QPushButton* button, bool prominent = true);
    // A thin horizontal rule between stacked parts.
    static QFrame* divider(QWidget* parent);
    // Re-applies tints and prominence below `root` from the current palette.
    static void refresh(QWidget* root);
};
