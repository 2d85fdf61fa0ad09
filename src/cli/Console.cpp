#include "cli/Console.h"

#include <cstdio>

namespace {

void writeBytes(std::FILE* stream, const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

void writeLine(std::FILE* stream, const QString& text)
{
    writeBytes(stream, text.toUtf8() + '\n');
}

} // namespace

namespace Console {

void out(const QString& text)
{
    writeLine(stdout, text);
}

void write(const QString& text)
{
    writeBytes(stdout, text.toUtf8());
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
