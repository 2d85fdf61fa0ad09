#include "core/logs/LineFilter.h"

#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// That the log buffer, fed in pieces, shows what these lines show, and that
// Azerbaijani cases like Turkish, are the logs_filter fuzz target's rules
// (seeds azerbaijani.bin, azerbaijani-dotted-i.bin).
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
        // The neighbours of a–z: "`" and "{" are not lower-case "@" and "[".
        {QLocale::English, u"@"_s, u"`x`"_s, QString()},
        {QLocale::English, u"["_s, u"{x}"_s, QString()},
        {QLocale::English, u"Isparta"_s, u"ISPARTA"_s, u"ISPARTA"_s},
        // In Turkish, the capital of "i" is "İ", and "I" is the capital of "ı".
        {QLocale::Turkish, u"istanbul"_s, turkish, u"İstanbul"_s},
        {QLocale::Turkish, u"ı"_s, turkish, u"ISPARTA\nılık"_s},
    };
    for (const auto& [language, filter, text, expected] : cases)
        EXPECT_EQ(LineFilter(filter, QLocale(language)).select(text), expected)
            << filter.toStdString();
}
