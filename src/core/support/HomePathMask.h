#pragma once

#include <QString>

// The scans that hide home-folder names in paths, in every form a log may
// write a path in: with "/" or "\" between folders, escaped ("\/",
// "\\"), percent-encoded ("%2F", "%5C", either case), doubled ("//"), or
// as "~<name>". Each scan walks the text forward and looks at each
// character a bounded number of times (for a home, at most the home's
// length times), so hostile text costs what ordinary text does.
//
// A separator below is a run of one or more of "/", "\", "%2F", "%2f",
// "%5C", "%5c".
namespace HomePathMask {

// `home`'s folders joined by separators, where no name character (a letter
// or digit of any script, "_", ".", "-") follows: the last folder becomes
// "<redacted>", the rest is kept as written. "/" and relative paths have no
// folder to hide and change nothing.
QString maskHome(const QString& text, const QString& home);

// A separator, "Users", "users" or "home", a separator, then a name: the
// name, which runs to the next separator, double quote or line end (spaces
// and other marks may be part of it), becomes "<redacted>". The quote ends
// a path quoted in JSON, whose rest would otherwise be lost.
// A name that is itself one of the three words and a separator is a folder
// of the path, not a name ("/Users//Users/al" hides "al").
QString maskFolderNames(const QString& text);

// "~<name>" (a letter or "_", then letters, digits, ".", "_", "-"), not
// preceded by a letter, digit, ".", "_" or "-" other than the end of the
// name just hidden: the name becomes "<redacted>".
QString maskTildeNames(const QString& text);

} // namespace HomePathMask
