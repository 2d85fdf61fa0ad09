#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace platform {

// The little of the freedesktop.org desktop entry format that autostart
// entries need.
class DesktopEntry
{
public:
    // The keys of the [Desktop Entry] group, values unescaped no further.
    static QHash<QString, QString> mainGroup(const QByteArray& content);
    // True for the format's true values ("true", and "1" as GLib reads it).
    static bool isTrue(const QString& value);
    static bool isFalse(const QString& value);
    // One Exec argument, quoted and escaped so that the desktop reads back
    // exactly `argument` (which must hold no line break).
    static QString execArgument(const QString& argument);
};

} // namespace platform
