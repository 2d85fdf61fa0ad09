#include "core/logs/LineFilter.h"

#include <algorithm>

namespace {

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// ASCII letters have the same capitals in every locale but Turkish and
// Azerbaijani (where "i" becomes "İ").
bool hasPlainAsciiCapitals(const QLocale& locale)
{
    return locale.language() != QLocale::Turkish && locale.language() != QLocale::Azerbaijani;
}

void appendAsciiCapitals(QString& folded, QStringView line)
{
    const qsizetype at = folded.size();
    folded.resize(at + line.size());
    char16_t* out = reinterpret_cast<char16_t*>(folded.data()) + at;
    for (const QChar c : line) {
        const char16_t unit = c.unicode();
        *out++ = unit >= u'a' && unit <= u'z' ? char16_t(unit - 0x20) : unit;
    }
}

} // namespace

QString LineFilter::fold(QStringView text, const QLocale& locale)
{
    // The locale's full mapping costs tens of nanoseconds a character; most
    // log lines are ASCII and need only the plain loop.
    const bool plainAscii = hasPlainAsciiCapitals(locale);
    QString folded;
    folded.reserve(text.size());
    for (qsizetype start = 0; start < text.size();) {
        const qsizetype newline = text.indexOf(u'\n', start);
        const qsizetype end = newline < 0 ? text.size() : newline + 1;
        const QStringView line = text.sliced(start, end - start);
        if (plainAscii && isAscii(line))
            appendAsciiCapitals(folded, line);
        else
            folded += locale.toUpper(line.toString());
        start = end;
    }
    return folded;
}

LineFilter::LineFilter(const QString& filter, QLocale locale)
    : m_locale(std::move(locale))
    , m_folded(filter.isEmpty() ? QString() : fold(filter))
{}

bool LineFilter::matches(QStringView line) const
{
    return fold(line).contains(m_folded);
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
