#include "cli/FlushCachesCommand.h"

#include "cli/Console.h"
#include "core/office/Sideloader.h"

#include <QCommandLineParser>

int FlushCachesCommand::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    if (const int exit = parseWithoutArguments(parser, arguments); exit >= 0)
        return exit;
    const QList<OfficeHost> flushed = Sideloader::flushAddinCaches();
    if (flushed.isEmpty())
        Console::out(QStringLiteral("No Office hosts installed."));
    for (const OfficeHost host : flushed)
        Console::out(host.displayName());
    return exitSuccess;
}
