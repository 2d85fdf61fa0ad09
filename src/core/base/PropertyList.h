#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>
#include <optional>

// Reads XML property lists (the format of Info.plist) into Qt values:
// dict → QVariantMap, array → QVariantList, string → QString, integer →
// qint64 (quint64 above 2^63 − 1), real → double, true/false → bool,
// date → QDateTime, data → QByteArray.
//
// The reader works without recursion and refuses lists nested deeper than
// maxDepth, so the plist of whatever program the user runs can neither
// overflow the stack nor make freeing the values overflow it.
namespace PropertyList {

// Real bundles nest a handful of dicts and arrays.
constexpr int maxDepth = 128;

// The top-level dictionary, or nothing when the text is not a well-formed
// property list whose root is a dictionary. `error` receives the reason.
// An integer outside −2^63 … 2^64 − 1 makes the list malformed: no value
// could hold it exactly.
std::optional<QVariantMap> parseDictionary(const QByteArray& xml, QString* error = nullptr);

} // namespace PropertyList
