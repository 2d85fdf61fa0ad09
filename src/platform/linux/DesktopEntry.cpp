#include "platform/linux/DesktopEntry.h"

#include <QStringList>

namespace platform {

QHash<QString, QString> DesktopEntry::mainGroup(const QByteArray& content)
{
    QHash<QString, QString> keys;
    bool inMainGroup = false;
    for (const QString& rawLine : QString::fromUtf8(content).split(u'\n')) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            inMainGroup = line == u"[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (inMainGroup && equals > 0)
            keys.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return keys;
}

bool DesktopEntry::isTrue(const QString& value)
{
    return value == u"true" || value == u"1";
}

bool DesktopEntry::isFalse(const QString& value)
{
    return value == u"false" || value == u"0";
}

QString DesktopEntry::execArgument(const QString& argument)
{
    // Quoting first: inside double quotes ", `, $ and \ take a backslash;
    // "%" would start a field code. Then the string escape doubles every
    // backslash again, as the reader undoes it before unquoting.
    QString quoted;
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted.replace(u'%', QStringLiteral("%%"));
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    return u'"' + quoted + u'"';
}

} // namespace platform
