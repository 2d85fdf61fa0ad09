#include "cli/Console.h"

#include "core/base/ControlCharacters.h"

bool Console::write(const QString& text)
{
    const Result<Done> written = m_out.write(text);
    if (!written && !m_outputError)
        m_outputError = written.error();
    return written.ok();
}

bool Console::out(const QString& line)
{
    return write(ControlCharacters::escaped(line, ControlCharacters::LineBreaks::keep) + u'\n');
}

bool Console::err(const QString& line)
{
    const Result<Done> written =
        m_err.write(ControlCharacters::escaped(line, ControlCharacters::LineBreaks::keep) + u'\n');
    if (!written && !m_errorOutputError)
        m_errorOutputError = written.error();
    return written.ok();
}

void Console::usageError(const QString& reason)
{
    // One line, whatever the user typed into the reason.
    err(QStringLiteral("zentropectl: ") + ControlCharacters::escaped(reason));
}
