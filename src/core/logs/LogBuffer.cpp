#include "core/logs/LogBuffer.h"

#include "core/logs/LineFilter.h"

#include <QTextBoundaryFinder>

namespace {

// How far around a cut the cluster rules are applied. A newline always ends
// a cluster, so the context normally starts at the line; only a longer line
// is cut short, which can only matter inside a run of thousands of joined marks.
constexpr qsizetype clusterContext = 4096;

qsizetype nextClusterBoundary(const QString& text, qsizetype position)
{
    if (position <= 0 || position >= text.size())
        return position;
    const qsizetype lineStart = text.lastIndexOf(u'\n', position - 1) + 1;
    const qsizetype from = std::max(lineStart, position - clusterContext);
    const qsizetype to = std::min(text.size(), position + clusterContext);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.constData() + from, to - from);
    finder.setPosition(position - from);
    if (finder.isAtBoundary())
        return position;
    const qsizetype next = finder.toNextBoundary();
    return next < 0 ? position : from + next;
}

// The UTF-8 size of the code point that ends at `end`, and its length in UTF-16.
std::pair<qsizetype, qsizetype> codePointBefore(const QString& text, qsizetype end)
{
    const char16_t unit = text[end - 1].unicode();
    if (QChar::isLowSurrogate(unit) && end >= 2 && QChar::isHighSurrogate(text[end - 2].unicode()))
        return {4, 2};
    return {unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3, 1};
}

} // namespace

LogBuffer::LogBuffer(QLocale locale)
    : m_locale(std::move(locale))
{}

qsizetype LogBuffer::utf8Size(QStringView text)
{
    qsizetype size = text.size();
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit >= 0x80)
            size += unit < 0x800 || QChar::isSurrogate(unit) ? 1 : 2;
    }
    return size;
}

void LogBuffer::replace(QString text)
{
    m_text = std::move(text);
    m_utf8Size = utf8Size(m_text);
    forgetFolded();
    trimToBound();
}

bool LogBuffer::append(QStringView text)
{
    m_text += text;
    m_utf8Size += utf8Size(text);
    return trimToBound();
}

bool LogBuffer::trimToBound()
{
    // A buffer of exactly maxBytes stays as it is.
    if (m_utf8Size <= maxBytes)
        return false;
    qsizetype cut = m_text.size();
    qsizetype kept = 0;
    while (cut > 0) {
        const auto [bytes, units] = codePointBefore(m_text, cut);
        if (kept + bytes > trimmedBytes)
            break;
        kept += bytes;
        cut -= units;
    }
    cut = nextClusterBoundary(m_text, cut);
    m_text.remove(0, cut);
    m_utf8Size = utf8Size(m_text);
    forgetFolded();
    return true;
}

void LogBuffer::forgetFolded() const
{
    m_folded.clear();
    m_foldedLength = 0;
}

void LogBuffer::foldCompleteLines() const
{
    const qsizetype complete = completeLength();
    if (complete <= m_foldedLength)
        return;
    const QStringView added = QStringView(m_text).sliced(m_foldedLength, complete - m_foldedLength);
    m_folded += LineFilter::fold(added, m_locale);
    m_foldedLength = complete;
}

QString LogBuffer::filtered(const QString& filter) const
{
    const LineFilter lines(filter, m_locale);
    if (lines.isEmpty())
        return m_text;
    foldCompleteLines();
    LineFilter::Selection selection;
    // The last piece is the empty one after the final newline, which no
    // filter matches.
    lines.select(QStringView(m_text).first(m_foldedLength), m_folded, selection);
    return selection.text;
}
