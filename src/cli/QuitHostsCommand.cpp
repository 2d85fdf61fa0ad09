#include "cli/QuitHostsCommand.h"

#include "cli/Console.h"
#include "core/context/ApplicationContext.h"
#include "core/office/Sideloader.h"

#include <QCommandLineParser>

int QuitHostsCommand::run(const QStringList& arguments, ApplicationContext& context,
                          Console& console)
{
    QCommandLineParser parser;
    if (const int exit = parseWithoutArguments(parser, arguments, console); exit >= 0)
        return exit;
    const QList<OfficeHost> asked = Sideloader::quitRunningHosts(*context.services().workspace);
    if (asked.isEmpty())
        console.out(QStringLiteral("No Office hosts running."));
    for (const OfficeHost host : asked)
        console.out(QStringLiteral("Asked %1 to quit.").arg(host.displayName()));
    return exitSuccess;
}
