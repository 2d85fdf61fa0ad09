#include "ui/tabs/LogTextView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextBoundaryFinder>
#include <QWheelEvent>

namespace {

constexpr int padding = 8;
constexpr int wheelRows = 3; // per notch, as text views scroll
constexpr int autoScrollMilliseconds = 50;
// Layouts kept: those of the lines around the top of the view and of the
// last lines (the end's place is measured on them), at most this many each.
constexpr qsizetype nearbyLines = 256;
constexpr qsizetype cachedLayouts = 4 * nearbyLines;

// A line as it is laid out: the same length, so positions carry over, with
// a carriage return shown as nothing.
QString shown(QStringView line)
{
    QString text = line.toString();
    text.replace(u'\r', QChar(0x200B));
    return text;
}

} // namespace

LogTextView::LogTextView(QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_starts{0}
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // the text wraps
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (m_settingScrollBar)
            return;
        // Dragged to the bottom: the end, however its last line wraps.
        const Place end = endPlace();
        setTop(value >= end.line ? end : Place{value, 0});
    });
}

LogTextView::~LogTextView() = default;

qsizetype LogTextView::lineEnd(qsizetype line) const
{
    if (line + 1 < lineCount())
        return lineStart(line + 1) - 1; // its newline
    return m_text.size();
}

int LogTextView::textWidth() const
{
    return std::max(1, viewport()->width() - 2 * padding);
}

int LogTextView::textHeight() const
{
    return std::max(1, viewport()->height() - 2 * padding);
}

const QTextLayout& LogTextView::layout(qsizetype line) const
{
    const qsizetype start = m_starts[size_t(line)];
    if (const auto found = m_layouts.constFind(start); found != m_layouts.cend())
        return **found;
    if (m_layouts.size() >= cachedLayouts)
        m_layouts.clear();
    auto laidOut = std::make_shared<QTextLayout>(
        shown(QStringView(m_text).sliced(lineStart(line), lineEnd(line) - lineStart(line))),
        font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAnywhere);
    option.setTabStopDistance(8 * QFontMetricsF(font()).horizontalAdvance(u' '));
    laidOut->setTextOption(option);
    laidOut->setCacheEnabled(true);
    laidOut->beginLayout();
    qreal y = 0;
    for (QTextLine row = laidOut->createLine(); row.isValid(); row = laidOut->createLine()) {
        row.setLineWidth(textWidth());
        row.setPosition({0, y});
        y += row.height();
    }
    laidOut->endLayout();
    return **m_layouts.insert(start, std::move(laidOut));
}

void LogTextView::forgetLayouts() const
{
    m_layouts.clear();
}

void LogTextView::forgetDistantLayouts() const
{
    // Lines far from the top and from the end are not laid out again soon.
    const auto start = [this](qsizetype line) {
        return m_starts[size_t(std::clamp<qsizetype>(line, 0, lineCount() - 1))];
    };
    const qsizetype aroundTop = start(m_top.line - nearbyLines);
    const qsizetype belowTop = start(m_top.line + nearbyLines);
    const qsizetype nearEnd = start(lineCount() - nearbyLines);
    m_layouts.removeIf([&](const auto& entry) {
        return (entry.key() < aroundTop || entry.key() > belowTop) && entry.key() < nearEnd;
    });
}

void LogTextView::indexLines(qsizetype from)
{
    for (qsizetype at = m_text.indexOf(u'\n', from); at >= 0; at = m_text.indexOf(u'\n', at + 1))
        m_starts.push_back(m_origin + at + 1);
}

void LogTextView::setText(const QString& text)
{
    const bool atEnd = isAtEnd();
    const Place top = m_top;
    m_origin += m_text.size() + 1; // nothing of the old text is the new text
    m_text = text;
    m_starts.assign(1, m_origin);
    indexLines(0);
    m_anchor = m_cursor = m_origin;
    forgetLayouts();
    if (atEnd)
        scrollToEnd();
    else
        setTop(std::min(Place{top.line, 0}, endPlace()));
}

void LogTextView::edit(qsizetype removed, const QString& added)
{
    removed = std::min(removed, m_text.size());
    if (removed > 0) {
        const qsizetype firstLines = lineCount();
        m_text.remove(0, removed);
        m_origin += removed;
        // The lines wholly gone leave the index; the one cut starts at the text.
        const auto firstKept = std::upper_bound(m_starts.begin(), m_starts.end(), m_origin) - 1;
        m_starts.erase(m_starts.begin(), firstKept);
        m_starts.front() = m_origin;
        m_layouts.removeIf([this](const auto& entry) { return entry.key() < m_origin; });
        m_layouts.remove(m_origin);
        const qsizetype gone = firstLines - lineCount();
        m_top = m_top.line >= gone ? Place{m_top.line - gone, m_top.line == gone ? 0 : m_top.row}
                                   : Place{};
        m_anchor = std::max(m_anchor, m_origin);
        m_cursor = std::max(m_cursor, m_origin);
    }
    if (!added.isEmpty()) {
        m_layouts.remove(m_starts.back()); // the last line grows
        const qsizetype from = m_text.size();
        m_text += added;
        indexLines(from);
        forgetDistantLayouts();
    }
    updateScrollBar();
    viewport()->update();
}

LogTextView::Place LogTextView::endPlace() const
{
    // From the last line up, until the rows fill the view.
    int height = 0;
    for (qsizetype line = lineCount() - 1; line >= 0; --line) {
        const QTextLayout& laidOut = layout(line);
        for (int row = laidOut.lineCount() - 1; row >= 0; --row) {
            height += qCeil(laidOut.lineAt(row).height());
            if (height > textHeight())
                return row + 1 < laidOut.lineCount() ? Place{line, row + 1} : Place{line + 1, 0};
        }
    }
    return {};
}

LogTextView::Place LogTextView::moved(Place place, int rowsDown) const
{
    while (rowsDown > 0 && place.line < lineCount()) {
        const int left = rows(place.line) - place.row;
        if (rowsDown < left) {
            place.row += rowsDown;
            rowsDown = 0;
        } else {
            rowsDown -= left;
            place = {place.line + 1, 0};
        }
    }
    while (rowsDown < 0 && (place.line > 0 || place.row > 0)) {
        if (place.row == 0)
            place = {place.line - 1, rows(place.line - 1)};
        const int step = std::min(place.row, -rowsDown);
        place.row -= step;
        rowsDown += step;
    }
    return std::min(place, endPlace());
}

void LogTextView::setTop(Place place)
{
    m_top = place;
    updateScrollBar();
    viewport()->update();
}

void LogTextView::updateScrollBar()
{
    const Place end = endPlace();
    m_top = std::min(m_top, end);
    m_atEnd = m_top == end;
    m_settingScrollBar = true;
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, int(end.line));
    bar->setPageStep(std::max(1, textHeight() / std::max(1, fontMetrics().lineSpacing())));
    bar->setValue(int(m_top.line));
    m_settingScrollBar = false;
}

void LogTextView::scrollToEnd()
{
    setTop(endPlace());
}

bool LogTextView::isAtEnd() const
{
    return m_atEnd;
}

QString LogTextView::topLineText() const
{
    return m_text.sliced(lineStart(m_top.line), lineEnd(m_top.line) - lineStart(m_top.line));
}

std::pair<qsizetype, qsizetype> LogTextView::selection() const
{
    return std::minmax(m_anchor, m_cursor);
}

QString LogTextView::selectedText() const
{
    const auto [from, to] = selection();
    return m_text.sliced(from - m_origin, to - from);
}

void LogTextView::selectAll()
{
    m_anchor = m_origin;
    m_cursor = m_origin + m_text.size();
    viewport()->update();
}

void LogTextView::copy() const
{
    if (const QString selected = selectedText(); !selected.isEmpty())
        QApplication::clipboard()->setText(selected);
}

void LogTextView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    // The rows above the top one stay out of the padding.
    painter.setClipRect(QRect(0, padding, viewport()->width(), viewport()->height() - padding));
    painter.setPen(palette().color(QPalette::Text));
    const auto [from, to] = selection();
    QTextLayout::FormatRange selected;
    selected.format.setBackground(palette().brush(QPalette::Highlight));
    selected.format.setForeground(palette().brush(QPalette::HighlightedText));

    const QTextLayout& top = layout(m_top.line);
    qreal y = padding - (m_top.row < top.lineCount() ? top.lineAt(m_top.row).y() : 0);
    for (qsizetype line = m_top.line; line < lineCount() && y < viewport()->height(); ++line) {
        const QTextLayout& laidOut = layout(line);
        const qsizetype start = m_starts[size_t(line)];
        const qsizetype end = start + (lineEnd(line) - lineStart(line));
        QList<QTextLayout::FormatRange> selections;
        if (from < to && from <= end && to > start) {
            selected.start = int(std::max(from, start) - start);
            selected.length = int(std::min(to, end) - start) - selected.start;
            selections.append(selected);
        }
        laidOut.draw(&painter, {qreal(padding), y}, selections);
        y += laidOut.boundingRect().height();
    }
}

void LogTextView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    // The rows change with the width; a view at the end stays there.
    forgetLayouts();
    if (m_atEnd)
        m_top = endPlace();
    m_top.row = std::min(m_top.row, rows(m_top.line) - 1);
    updateScrollBar();
}

void LogTextView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        forgetLayouts();
        updateScrollBar();
    }
}

void LogTextView::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0)
        return QAbstractScrollArea::wheelEvent(event);
    setTop(moved(m_top, -notches * wheelRows));
    event->accept();
}

void LogTextView::keyPressEvent(QKeyEvent* event)
{
    const int page = verticalScrollBar()->pageStep();
    if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->key() == Qt::Key_Up) {
        setTop(moved(m_top, -1));
    } else if (event->key() == Qt::Key_Down) {
        setTop(moved(m_top, 1));
    } else if (event->key() == Qt::Key_PageUp) {
        setTop(moved(m_top, -page));
    } else if (event->key() == Qt::Key_PageDown) {
        setTop(moved(m_top, page));
    } else if (event->key() == Qt::Key_Home) {
        setTop({});
    } else if (event->key() == Qt::Key_End) {
        scrollToEnd();
    } else {
        return QAbstractScrollArea::keyPressEvent(event);
    }
    event->accept();
}

qsizetype LogTextView::positionAt(QPoint point) const
{
    if (point.y() < padding && m_top == Place{})
        return m_origin;
    const QTextLayout& top = layout(m_top.line);
    qreal y = padding - (m_top.row < top.lineCount() ? top.lineAt(m_top.row).y() : 0);
    for (qsizetype line = m_top.line; line < lineCount(); ++line) {
        const QTextLayout& laidOut = layout(line);
        const qreal height = laidOut.boundingRect().height();
        if (point.y() < y + height || line + 1 == lineCount()) {
            for (int row = 0; row < laidOut.lineCount(); ++row) {
                const QTextLine text = laidOut.lineAt(row);
                if (point.y() < y + text.y() + text.height() || row + 1 == laidOut.lineCount())
                    return m_starts[size_t(line)] + text.xToCursor(point.x() - padding);
            }
        }
        y += height;
    }
    return m_origin + m_text.size();
}

void LogTextView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    const qsizetype position = positionAt(event->position().toPoint());
    if (!(event->modifiers() & Qt::ShiftModifier))
        m_anchor = position;
    m_cursor = position;
    m_selecting = true;
    m_lastMouse = event->position().toPoint();
    viewport()->update();
}

void LogTextView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_selecting)
        return;
    m_lastMouse = event->position().toPoint();
    m_cursor = positionAt(m_lastMouse);
    // Beyond the top or bottom edge the view scrolls on while the button is held.
    if (m_lastMouse.y() < 0 || m_lastMouse.y() > viewport()->height())
        m_autoScroll.start(autoScrollMilliseconds, this);
    else
        m_autoScroll.stop();
    viewport()->update();
}

void LogTextView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_selecting = false;
    m_autoScroll.stop();
    // As X11 text views do, the selection is also the primary selection.
    if (QClipboard* clipboard = QApplication::clipboard(); clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void LogTextView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // The word under the pointer.
    const qsizetype position = positionAt(event->position().toPoint());
    const qsizetype line =
        std::upper_bound(m_starts.begin(), m_starts.end(), position) - m_starts.begin() - 1;
    const QString text = m_text.sliced(lineStart(line), lineEnd(line) - lineStart(line));
    const int at = int(position - m_starts[size_t(line)]);
    QTextBoundaryFinder words(QTextBoundaryFinder::Word, text);
    words.setPosition(at);
    const qsizetype from = words.isAtBoundary() ? at : std::max(0, int(words.toPreviousBoundary()));
    words.setPosition(at);
    const qsizetype next = words.toNextBoundary();
    m_anchor = m_starts[size_t(line)] + from;
    m_cursor = m_starts[size_t(line)] + (next < 0 ? text.size() : next);
    m_selecting = false;
    viewport()->update();
}

void LogTextView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copyAction = menu.addAction(tr("Copy"), this, &LogTextView::copy);
    copyAction->setEnabled(m_anchor != m_cursor);
    menu.addAction(tr("Select All"), this, &LogTextView::selectAll);
    menu.exec(event->globalPos());
}

void LogTextView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_autoScroll.timerId())
        return QAbstractScrollArea::timerEvent(event);
    autoScroll();
}

void LogTextView::autoScroll()
{
    if (!m_selecting) {
        m_autoScroll.stop();
        return;
    }
    setTop(moved(m_top, m_lastMouse.y() < 0 ? -1 : 1));
    m_cursor = positionAt(m_lastMouse);
}
