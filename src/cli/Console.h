#pragma once

#include "cli/OutputSink.h"
#include "core/base/Error.h"

#include <QString>
#include <optional>

// A command's output: lines and text for standard output, messages for
// standard error. It remembers the first write that failed on each stream, so
// that the command line can report it and end with a failure.
class Console
{
public:
    Console(OutputSink& standardOutput, OutputSink& standardError)
        : m_out(standardOutput)
        , m_err(standardError)
    {}

    // `text` as it is on standard output; false when it could not be written.
    bool write(const QString& text);
    bool out(const QString& line) { return write(line + u'\n'); } // plus a newline
    void err(const QString& line);                                // plus a newline
    void usageError(const QString& reason); // "zentropectl: <reason>" on standard error

    const std::optional<Error>& outputError() const { return m_outputError; }
    const std::optional<Error>& errorOutputError() const { return m_errorOutputError; }

private:
    OutputSink& m_out;
    OutputSink& m_err;
    std::optional<Error> m_outputError;
    std::optional<Error> m_errorOutputError;
};
