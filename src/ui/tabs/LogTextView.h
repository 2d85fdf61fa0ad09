#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QHash>
#include <QTextLayout>
#include <memory>
#include <vector>

// The log text itself: read-only, selectable with the mouse (Ctrl+A, Ctrl+C
// and the context menu copy), wrapping anywhere as a terminal does, and
// scrolling by itself. It holds the text as one string with an index of its
// lines and lays out only the lines it shows, so taking in what a log
// appends, dropping the front a bound trims and showing a new text all cost
// what they change or one pass over the text, never a layout of all of it.
//
// Positions are kept counted from the start of the first text shown, so a
// selection and the scroll position stay on their text when the front goes.
class LogTextView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit LogTextView(QWidget* parent = nullptr);
    ~LogTextView() override;

    const QString& text() const { return m_text; }
    // Shows `text` instead; the view stays where it was (the end stays the end).
    void setText(const QString& text);
    // The text without its first `removed` characters, then `added`. What is
    // on screen stays where it is.
    void edit(qsizetype removed, const QString& added);

    void scrollToEnd();
    bool isAtEnd() const;
    // The line at the top of the view, without its newline.
    QString topLineText() const;

    QString selectedText() const;
    void selectAll();
    void copy() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // A place in the text: a line, and a row of its wrapped rows.
    struct Place
    {
        qsizetype line = 0;
        int row = 0;
        friend auto operator<=>(const Place&, const Place&) = default;
    };

    qsizetype lineCount() const { return qsizetype(m_starts.size()); }
    // Where a line starts and ends (before its newline) in m_text.
    qsizetype lineStart(qsizetype line) const { return m_starts[size_t(line)] - m_origin; }
    qsizetype lineEnd(qsizetype line) const;
    const QTextLayout& layout(qsizetype line) const;
    int rows(qsizetype line) const { return layout(line).lineCount(); }
    int textWidth() const;
    int textHeight() const;
    void forgetLayouts() const;
    void forgetDistantLayouts() const;

    // The top place that shows the end of the text at the bottom.
    Place endPlace() const;
    Place moved(Place place, int rowsDown) const;
    void setTop(Place place);
    void updateScrollBar();
    void indexLines(qsizetype from);

    // The absolute position under `point`, in viewport coordinates.
    qsizetype positionAt(QPoint point) const;
    std::pair<qsizetype, qsizetype> selection() const;
    void autoScroll();

    QString m_text;
    qsizetype m_origin = 0;          // the absolute position of m_text[0]
    std::vector<qsizetype> m_starts; // absolute starts of the lines; never empty
    Place m_top;
    qsizetype m_anchor = 0; // the selection, absolute; empty when both are equal
    qsizetype m_cursor = 0;
    bool m_selecting = false;
    QPoint m_lastMouse;
    QBasicTimer m_autoScroll;
    bool m_atEnd = true; // the end of the text at the bottom, as of the last change
    bool m_settingScrollBar = false;
    // Layouts of the lines lately shown, by absolute start; a line that
    // changes (the last, growing; the first, cut) changes its key or is forgotten.
    mutable QHash<qsizetype, std::shared_ptr<QTextLayout>> m_layouts;
};
