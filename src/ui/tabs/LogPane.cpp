#include "ui/tabs/LogPane.h"

#include "ui/Fonts.h"
#include "ui/SemanticColor.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>

namespace {

constexpr int padding = 8;
constexpr qreal cornerRadius = 4;
constexpr qreal borderWidth = 1;

// A document turns "\r\n" into one line break, which would make its
// positions drift from the text's; a carriage return is shown as nothing.
QString displayable(QString text)
{
    text.replace(u'\r', QChar(0x200B));
    return text;
}

} // namespace

LogPane::LogPane(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* layout = new QVBoxLayout(this);
    const int inset = qCeil(borderWidth);
    layout->setContentsMargins(inset, inset, inset, inset);

    m_text = new QPlainTextEdit(this);
    m_text->setAccessibleName(tr("Log"));
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setUndoRedoEnabled(false); // an undo history would keep every trim
    m_text->setFrameShape(QFrame::NoFrame);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // As a terminal wraps: looking for word boundaries in a line of
    // thousands of characters without a space takes seconds.
    m_text->setWordWrapMode(QTextOption::WrapAnywhere);
    m_text->document()->setDocumentMargin(padding);
    // The pane paints the background; the text view lets it show through.
    m_text->viewport()->setAutoFillBackground(false);
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    m_text->setPalette(palette);
    layout->addWidget(m_text);
    m_text->setFont(Fonts::monospaced(TextStyle::callout, QApplication::font()));
}

void LogPane::showText(const QString& text)
{
    QScrollBar* bar = m_text->verticalScrollBar();
    const bool atEnd = isAtEnd();
    const int position = bar->value();
    m_text->setPlainText(displayable(text));
    if (atEnd)
        scrollToEnd();
    else
        bar->setValue(position);
}

void LogPane::edit(qsizetype removed, const QString& added)
{
    QTextDocument* document = m_text->document();
    QScrollBar* bar = m_text->verticalScrollBar();
    // Where the top of the view is in the text, to keep it there.
    const QTextBlock top = m_text->cursorForPosition(QPoint(0, 0)).block();
    const int topPosition = top.position();
    const int linesIntoTop = bar->value() - top.firstLineNumber();

    QTextCursor cursor(document);
    if (removed > 0) {
        cursor.setPosition(int(std::min<qsizetype>(removed, document->characterCount() - 1)),
                           QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    if (!added.isEmpty()) {
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(displayable(added));
    }
    if (removed > 0) {
        const qsizetype newTop = topPosition - removed;
        const QTextBlock block =
            newTop < 0 ? document->firstBlock() : document->findBlock(int(newTop));
        bar->setValue(block.firstLineNumber() + (newTop < 0 ? 0 : std::max(0, linesIntoTop)));
    }
}

void LogPane::scrollToEnd()
{
    QScrollBar* bar = m_text->verticalScrollBar();
    bar->setValue(bar->maximum());
}

bool LogPane::isAtEnd() const
{
    const QScrollBar* bar = m_text->verticalScrollBar();
    return bar->value() >= bar->maximum();
}

QString LogPane::text() const
{
    return m_text->toPlainText();
}

void LogPane::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal half = borderWidth / 2;
    const QRectF frame = QRectF(rect()).adjusted(half, half, -half, -half);
    QPainterPath outline;
    outline.addRoundedRect(frame, cornerRadius, cornerRadius);

    QColor background = palette().color(QPalette::Base);
    background.setAlphaF(0.6f);
    painter.fillPath(outline, background);
    QColor border = semanticColor(SemanticColor::secondary, palette());
    border.setAlphaF(0.3f);
    painter.setPen(QPen(border, borderWidth));
    painter.drawPath(outline);
}
