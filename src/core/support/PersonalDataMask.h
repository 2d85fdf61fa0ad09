#pragma once

#include <QString>
#include <QStringList>

// Hides who the user is in text that leaves the machine: home-folder names
// and e-mail addresses.
namespace PersonalDataMask {

// In order: each of `homePaths` (the user's home, wherever it lies) with its
// last folder name as "<redacted>"; then "/Users/<name>" and "/home/<name>",
// the name running to the next "/" or line end, as "/Users/<redacted>" and
// "/home/<redacted>"; then every e-mail address as "<redacted-email>".
QString apply(QString text, const QStringList& homePaths);

// The home folder as the environment names it and as the file system
// resolves it, when the two differ.
QStringList currentHomePaths();

} // namespace PersonalDataMask
