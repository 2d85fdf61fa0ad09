#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Text from others (a daemon's answer, a file's name, an update feed) made
// safe to show: control characters become visible escapes, as journalctl
// shows them ("\n", "\r", "\t", "\x1b", "\x00", "\u009b"), so that such text
// can neither move the cursor, clear the screen or forge a line on a
// terminal, nor reorder what a reader sees (bidirectional overrides). Text of
// any script, emoji and backslashes stay as they are.
namespace ControlCharacters {

enum class LineBreaks
{
    escape, // for one field within a line: "\n" shows as the two characters \n
    keep    // for text that is lines already: "\n" and "\t" pass through
};

QString escaped(QStringView text, LineBreaks lineBreaks = LineBreaks::escape);

// Bytes that should be UTF-8, such as a path or an argument as the system
// gave it: valid UTF-8 shown as text (escaped as above), every other byte as
// \xNN, so that what cannot be decoded is still named exactly.
QString escapedBytes(QByteArrayView bytes);

} // namespace ControlCharacters
