#pragma once

#include "cli/OutputSink.h"
#include "core/base/Error.h"

#include <QString>
#include <optional>

// A command's output: lines and text for standard output, messages for
// standard error. It remembers the first write that failed on each stream, so
// that the command line can report it and end with a failure.
//
// Lines and messages often carry what others wrote (a daemon's answer, file
// names, an update feed), so out() and err() show every control character
// but the line break and the tab escaped: nothing printed can move the
// cursor, clear the screen or overwrite a line. A single field that must not
// break its line is escaped wholly where the line is made
// (ControlCharacters::escaped).
class Console
{
public:
    Console(OutputSink& standardOutput, OutputSink& standardError)
        : m_out(standardOutput)
        , m_err(standardError)
    {}

    // `text` exactly as it is on standard output; false when it could not be
    // written. Only for the user's own files shown whole, as `logs` shows the
    // daemon's log like tail(1) does.
    bool write(const QString& text);
    // `line`, its control characters escaped, plus a newline; false when it
    // could not be written.
    bool out(const QString& line);
    // The same on standard error; false when it could not be written.
    bool err(const QString& line);
    // "zentropectl: <reason>" on standard error, on one line: a line break in
    // `reason` (a quoted argument's) is escaped too.
    void usageError(const QString& reason);

    const std::optional<Error>& outputError() const { return m_outputError; }
    const std::optional<Error>& errorOutputError() const { return m_errorOutputError; }
    // A write to either stream has failed: a command that goes on until
    // interrupted stops, since nobody can see what it prints.
    bool hasFailed() const { return m_outputError || m_errorOutputError; }

private:
    OutputSink& m_out;
    OutputSink& m_err;
    std::optional<Error> m_outputError;
    std::optional<Error> m_errorOutputError;
};
