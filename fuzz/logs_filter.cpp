// The logs filter: the first byte picks a locale, the first line is the
// filter, the rest the log, appended to the buffer in pieces as the tailer
// delivers them. What the buffer shows equals, line for line, the complete
// lines whose capitals in that locale contain the filter's capitals; a last
// line without its newline waits until it is complete.
#include "FuzzSupport.h"
#include "core/logs/LineFilter.h"
#include "core/logs/LogBuffer.h"

#include <QLocale>

namespace {

QString reference(const QString& text, const QString& filter, const QLocale& locale)
{
    const QString wanted = locale.toUpper(filter);
    QStringList kept;
    for (const QString& line : text.split(u'\n')) {
        if (locale.toUpper(line).contains(wanted))
            kept.append(line);
    }
    return kept.join(u'\n');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    static const QLocale locales[] = {QLocale(QLocale::English),     QLocale(QLocale::Turkish),
                                      QLocale(QLocale::Azerbaijani), QLocale(QLocale::German),
                                      QLocale(QLocale::Greek),       QLocale(QLocale::Lithuanian),
                                      QLocale(QLocale::Armenian)};
    const QLocale& locale = locales[data[0] % std::size(locales)];
    const int pieceLength = data[1] % 32 + 1;
    const auto parts = fuzzPieces(fuzzBytes(data + 2, size - 2), '\n', 2);
    const QString filter = QString::fromUtf8(parts[0]);
    const QString text = QString::fromUtf8(parts[1]);

    LogBuffer buffer(locale);
    // Filtering now and then on the way folds the lines complete so far, as
    // redrawing does; a few times is enough, and keeps the target fast.
    const qsizetype filterEvery = std::max<qsizetype>(1, text.size() / pieceLength / 8);
    qsizetype pieces = 0;
    for (qsizetype from = 0; from < text.size();) {
        qsizetype to = std::min(text.size(), from + pieceLength);
        if (to < text.size() && text[to].isLowSurrogate())
            ++to; // the decoder never splits a character
        buffer.append(QStringView(text).sliced(from, to - from));
        if (!filter.isEmpty() && ++pieces % filterEvery == 0)
            (void)buffer.filtered(filter);
        from = to;
    }
    if (filter.isEmpty()) {
        require(buffer.filtered(filter) == text, "no filter shows everything");
        return 0;
    }
    const QString shown = buffer.filtered(filter);
    const QString complete = text.first(text.lastIndexOf(u'\n') + 1);
    require(shown == LineFilter(filter, locale).select(complete),
            "the buffer filters like the lines");
    require(shown == reference(complete, filter, locale),
            "a line shows when its capitals hold the filter's");
    return 0;
}
