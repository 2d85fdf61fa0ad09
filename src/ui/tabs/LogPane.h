#pragma once

#include <QWidget>

class LogTextView;

// The logs tab's pane: the shown log in a read-only, selectable, monospaced
// text view that scrolls itself, padded 8, on the text background at 60 %
// inside a rounded 1-point border in the secondary colour at 30 %.
//
// The text is changed by edits (the front that went, what arrived), so a log
// written fast costs what arrives; only the lines on screen are laid out.
class LogPane : public QWidget
{
    Q_OBJECT

public:
    explicit LogPane(QWidget* parent = nullptr);

    // Shows `text` instead of what was shown, keeping the scroll position
    // (the end stays the end).
    void showText(const QString& text);
    // The text shown before without its first `removed` characters, then
    // `added`. Whatever was on screen stays where it is.
    void edit(qsizetype removed, const QString& added);
    // Brings the end of the text to the bottom, at once.
    void scrollToEnd();

    // What is shown, with the line breaks as newlines.
    QString text() const;
    LogTextView* textView() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    LogTextView* m_text;
};
