#include "cli/FlushCachesCommand.h"

#include "cli/Console.h"
#include "core/Sideloader.h"

#include <QCommandLineParser>

int FlushCachesCommand::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    if (const int exit = parse(parser, arguments); exit >= 0)
        return exit;
    if (!parser.positionalArguments().isEmpty()) {
        Console::usageError(QStringLiteral("flush-caches takes no arguments"));
        return exitUsage;
    }
    const QList<OfficeHost> flushed = Sideloader::flushAddinCaches();
    if (flushed.isEmpty())
        Console::out(QStringLiteral("No Office hosts installed."));
    for (const OfficeHost host : flushed)
        Console::out(host.displayName());
    return exitSuccess;
}
