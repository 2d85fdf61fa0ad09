#include "core/LineFilter.h"

LineFilter::LineFilter(const QString& filter, QLocale locale)
    : m_locale(std::move(locale))
    , m_folded(filter.isEmpty() ? QString() : fold(filter))
{}

bool LineFilter::matches(QStringView line) const
{
    return fold(line.toString()).contains(m_folded);
}

void LineFilter::Selection::add(QStringView line)
{
    if (!isEmpty)
        text += u'\n';
    text += line;
    isEmpty = false;
}

void LineFilter::select(QStringView text, QStringView folded, Selection& selection) const
{
    // Folding keeps the newlines, so the n-th line of `folded` is the folded
    // n-th line of `text` even where folding changed a line's length.
    qsizetype start = 0;
    qsizetype foldedStart = 0;
    for (;;) {
        qsizetype end = text.indexOf(u'\n', start);
        qsizetype foldedEnd = folded.indexOf(u'\n', foldedStart);
        const bool last = end < 0 || foldedEnd < 0;
        if (last) {
            end = text.size();
            foldedEnd = folded.size();
        }
        if (folded.sliced(foldedStart, foldedEnd - foldedStart).contains(m_folded))
            selection.add(text.sliced(start, end - start));
        if (last)
            return;
        start = end + 1;
        foldedStart = foldedEnd + 1;
    }
}

QString LineFilter::select(const QString& text) const
{
    Selection selection;
    select(text, fold(text), selection);
    return selection.text;
}
