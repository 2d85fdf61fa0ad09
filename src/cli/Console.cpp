#include "cli/Console.h"

bool Console::write(const QString& text)
{
    const Result<Done> written = m_out.write(text);
    if (!written && !m_outputError)
        m_outputError = written.error();
    return written.ok();
}

void Console::err(const QString& line)
{
    const Result<Done> written = m_err.write(line + u'\n');
    if (!written && !m_errorOutputError)
        m_errorOutputError = written.error();
}

void Console::usageError(const QString& reason)
{
    err(QStringLiteral("zentropectl: ") + reason);
}
