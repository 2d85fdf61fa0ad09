#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>
#include <optional>

// Reads XML property lists (the format of Info.plist) into Qt values:
// dict → QVariantMap, array → QVariantList, string → QString, integer → qint64,
// real → double, true/false → bool, date → QDateTime, data → QByteArray.
namespace PropertyList {

// The top-level dictionary, or nothing when the text is not a well-formed
// property list whose root is a dictionary. `error` receives the reason.
std::optional<QVariantMap> parseDictionary(const QByteArray& xml, QString* error = nullptr);

} // namespace PropertyList
