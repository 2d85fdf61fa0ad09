#include "cli/QuitHostsCommand.h"

#include "cli/Console.h"
#include "core/office/Sideloader.h"
#include "platform/Services.h"

#include <QCommandLineParser>

int QuitHostsCommand::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    if (const int exit = parseWithoutArguments(parser, arguments); exit >= 0)
        return exit;
    const platform::Services services = platform::nativeServices();
    const QList<OfficeHost> asked = Sideloader::quitRunningHosts(*services.workspace);
    if (asked.isEmpty())
        Console::out(QStringLiteral("No Office hosts running."));
    for (const OfficeHost host : asked)
        Console::out(QStringLiteral("Asked %1 to quit.").arg(host.displayName()));
    return exitSuccess;
}
