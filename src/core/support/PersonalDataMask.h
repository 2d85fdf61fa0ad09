#pragma once

#include <QString>
#include <QStringList>

// Hides who the user is in text that leaves the machine: home-folder names
// and e-mail addresses.
//
// Plain scans, no regular expressions: every rule walks the text forward and
// looks at each character a bounded number of times, so a megabyte of hostile
// log costs what a megabyte of ordinary log does, whatever engine is at hand.
namespace PersonalDataMask {

// First, units that are not valid UTF-16 (lone surrogates) become U+FFFD, so
// no rule can be defeated by them. Then, in order: each of `homePaths` (the
// user's home, wherever it lies) with its last folder name as "<redacted>",
// where no name character (letter, digit, "_", ".", "-") follows; then
// "/Users/<name>" and "/home/<name>", the name running to the next "/" or
// line end, as "/Users/<redacted>" and "/home/<redacted>"; then every e-mail
// address (the text [A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\.[A-Za-z]{2,} would
// match) as "<redacted-email>".
QString apply(QString text, const QStringList& homePaths);

// The home folder as the environment names it and as the file system
// resolves it, when the two differ.
QStringList currentHomePaths();

} // namespace PersonalDataMask
