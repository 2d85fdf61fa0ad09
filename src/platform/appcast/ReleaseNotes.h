#pragma once

#include <QString>

// A release's notes from a feed, which anyone who can change the feed or its
// path may have written, made fit to show.
namespace ReleaseNotes {

// Rich text that a QTextBrowser-like view shows without harm: simple
// formatting tags only, none with attributes; links kept only to https
// addresses (of others, the text stays); no images, styles, scripts, frames
// or anything else that would load or run; all text escaped and without
// control characters. `plainText` notes are escaped and keep their lines.
QString safeHtml(const QString& notes, bool plainText = false);

// The same notes as text: a line per paragraph, heading, list item or break,
// runs of white space as one space, no empty lines, no control characters.
QString text(const QString& notes, bool plainText = false);

} // namespace ReleaseNotes
