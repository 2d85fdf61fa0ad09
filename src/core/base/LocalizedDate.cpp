#include "core/base/LocalizedDate.h"

#include <QRegularExpression>

QString LocalizedDate::abbreviatedDatePattern(const QLocale& locale)
{
    QString pattern = locale.dateFormat(QLocale::LongFormat);
    // The weekday goes with the separator that joins it to the rest.
    pattern.remove(QRegularExpression(QStringLiteral("d{4}[,،、\\s]*|[,،、\\s]*d{4}$")));
    pattern.replace(QStringLiteral("MMMM"), QStringLiteral("MMM"));
    return pattern.trimmed();
}

QString LocalizedDate::abbreviatedWithShortTime(const QDateTime& moment, const QLocale& locale)
{
    const QDateTime local = moment.toLocalTime();
    return locale.toString(local.date(), abbreviatedDatePattern(locale)) + QStringLiteral(", ") +
           locale.toString(local.time(), shortTimePattern(locale));
}

QString LocalizedDate::shortTimePattern(const QLocale& locale)
{
    // Some locales' short time (the C locale's among them) keeps the seconds.
    QString pattern = locale.timeFormat(QLocale::ShortFormat);
    pattern.remove(QRegularExpression(QStringLiteral("[:.]ss?")));
    return pattern;
}
