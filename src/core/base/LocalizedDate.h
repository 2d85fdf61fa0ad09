#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// Moments as lists show them: the date abbreviated and the time shortened,
// in the user's locale and time zone — "Dec 5, 2026, 9:52 AM" in English
// (United States), "5. Dez. 2026, 09:52" in German.
class LocalizedDate
{
public:
    static QString abbreviatedWithShortTime(const QDateTime& moment,
                                            const QLocale& locale = QLocale());
    // The locale's long date pattern without the weekday and with the
    // month's short name: "MMM d, yyyy" in English (United States).
    static QString abbreviatedDatePattern(const QLocale& locale);
    // The locale's short time pattern, without seconds: "h:mm AP".
    static QString shortTimePattern(const QLocale& locale);
};
