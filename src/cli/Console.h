#pragma once

#include <QString>

// Line output for the command-line tool: UTF-8, flushed at once so that a
// reader of a pipe sees each line as it happens.
namespace Console {

void out(const QString& text);          // text + newline on standard output
void write(const QString& text);        // text as it is on standard output
void err(const QString& text);          // text + newline on standard error
void usageError(const QString& reason); // "zentropectl: <reason>" on standard error

} // namespace Console
