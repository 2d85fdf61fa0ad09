#include "cli/FlushCachesCommand.h"

#include "cli/Console.h"
#include "core/office/Sideloader.h"

#include <QCommandLineParser>

int FlushCachesCommand::run(const QStringList& arguments, ApplicationContext&, Console& console)
{
    QCommandLineParser parser;
    if (const int exit = parseWithoutArguments(parser, arguments, console); exit >= 0)
        return exit;
    const QList<OfficeHost> flushed = Sideloader::flushAddinCaches();
    if (flushed.isEmpty())
        console.out(QStringLiteral("No Office hosts installed."));
    for (const OfficeHost host : flushed)
        console.out(host.displayName());
    return exitSuccess;
}
