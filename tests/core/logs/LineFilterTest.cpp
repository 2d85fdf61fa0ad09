#include "core/logs/LineFilter.h"

#include "core/logs/LogBuffer.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Each row through both readers: the filter on its own, and the log buffer,
// which keeps its lines folded as they arrive.
TEST(LineFilter, KeepsTheLinesThatContainTheFilterUnderTheLocalesCaseRules)
{
    const QString mixed = u"INFO started\n\nerror: Disk\nGröße OK\nÉCHEC de l’envoi\nx"_s;
    const QString turkish = u"İstanbul\nISPARTA\nılık"_s;
    const struct
    {
        QLocale::Language language;
        QString filter;
        QString text;
        QString expected;
    } cases[] = {
        {QLocale::English, u"eRRor"_s, mixed, u"error: Disk"_s},
        {QLocale::English, u"GRÖSSE"_s, mixed, u"Größe OK"_s},
        {QLocale::English, u"échec"_s, mixed, u"ÉCHEC de l’envoi"_s},
        {QLocale::English, u"s"_s, mixed, u"INFO started\nerror: Disk\nGröße OK"_s},
        {QLocale::English, u" ok"_s, mixed, u"Größe OK"_s}, // spaces count
        {QLocale::English, u"nowhere"_s, mixed, QString()},
        // After a trim or "Clear view" the text may start with a newline.
        {QLocale::English, u"error"_s, u"\nerror: one\nok"_s, u"error: one"_s},
        {QLocale::English, u"abcdefghijklmnopqrstuvwxyz"_s, u"> ABCDEFGHIJKLMNOPQRSTUVWXYZ <"_s,
         u"> ABCDEFGHIJKLMNOPQRSTUVWXYZ <"_s},
        {QLocale::English, u"ZIP"_s, u"lazy zip"_s, u"lazy zip"_s},
        // The neighbours of a–z: "`" and "{" are not lower-case "@" and "[".
        {QLocale::English, u"@"_s, u"`x`"_s, QString()},
        {QLocale::English, u"["_s, u"{x}"_s, QString()},
        {QLocale::English, u"Isparta"_s, u"ISPARTA"_s, u"ISPARTA"_s},
        // In both, the capital of "i" is "İ", and "I" is the capital of "ı".
        {QLocale::Turkish, u"istanbul"_s, turkish, u"İstanbul"_s},
        {QLocale::Turkish, u"ı"_s, turkish, u"ISPARTA\nılık"_s},
        {QLocale::Azerbaijani, u"istanbul"_s, turkish, u"İstanbul"_s},
        {QLocale::Azerbaijani, u"ı"_s, turkish, u"ISPARTA\nılık"_s},
    };
    for (const auto& [language, filter, text, expected] : cases) {
        SCOPED_TRACE(filter.toStdString());
        const QLocale locale(language);
        EXPECT_EQ(LineFilter(filter, locale).select(text), expected);
        LogBuffer buffer(locale);
        buffer.replace(text.first(text.size() / 2));
        (void)buffer.filtered(filter); // folds the lines so far; the rest are folded on arrival
        buffer.append(text.sliced(text.size() / 2) + u'\n');
        EXPECT_EQ(buffer.filtered(filter), expected);
        EXPECT_EQ(buffer.filtered({}), text + u'\n');
    }
}
