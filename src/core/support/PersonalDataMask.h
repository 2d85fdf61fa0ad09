#pragma once

#include <QString>
#include <QStringList>

// Hides who the user is, and the secrets that daemons log, in text that
// leaves the machine, keeping what support needs (versions, states, error
// texts) readable.
//
// Plain scans, no regular expressions: every rule walks the text forward and
// looks at each character a bounded number of times, so a megabyte of hostile
// log costs what a megabyte of ordinary log does, whatever engine is at hand.
// It fails closed: nothing in the text can switch a rule off.
namespace PersonalDataMask {

// First, units that are not valid UTF-16 (lone surrogates) become U+FFFD, so
// no rule can be defeated by them. Then, in order:
//  - every e-mail address (what [A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\.[A-Za-z]{2,}
//    would match) as "<redacted-email>";
//  - each of `homePaths` (the user's home, wherever it lies, in any form a
//    path is written in) with its last folder name as "<redacted>";
//  - the name after "Users", "users" or "home" between separators, up to
//    the next separator, double quote or line end, as "<redacted>":
//    "/home/<name>", "C:\Users\<name>", "\/home\/<name>",
//    "%2Fhome%2F<name>", "//home//<name>" (HomePathMask);
//  - the values of "Authorization", of passwords, tokens, secrets and keys,
//    and Bearer tokens as "<redacted>"; JSON web tokens as "<redacted-jwt>";
//    API keys ("sk-live-…") as "<redacted-key>" (SecretMask);
//  - "~<name>" as "~<redacted>".
// Masking masked text changes nothing.
QString apply(QString text, const QStringList& homePaths);

// The home folder as the environment names it and as the file system
// resolves it, when the two differ.
QStringList currentHomePaths();

} // namespace PersonalDataMask
