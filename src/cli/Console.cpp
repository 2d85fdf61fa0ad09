#include "cli/Console.h"

#include <cstdio>

namespace {

void writeLine(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

namespace Console {

void out(const QString& text)
{
    writeLine(stdout, text);
}

void err(const QString& text)
{
    writeLine(stderr, text);
}

void usageError(const QString& reason)
{
    writeLine(stderr, QStringLiteral("zentropectl: ") + reason);
}

} // namespace Console
