#include "cli/CommandLine.h"
#include "cli/DaemonCommand.h"
#include "cli/DiagnosticsCommand.h"
#include "cli/FlushCachesCommand.h"
#include "cli/QuitHostsCommand.h"
#include "cli/SideloadCommand.h"
#include "cli/StatusCommand.h"

std::vector<std::unique_ptr<Command>> allCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<DaemonCommand>());
    commands.push_back(std::make_unique<SideloadCommand>());
    commands.push_back(std::make_unique<FlushCachesCommand>());
    commands.push_back(std::make_unique<QuitHostsCommand>());
    commands.push_back(std::make_unique<StatusCommand>());
    commands.push_back(std::make_unique<DiagnosticsCommand>());
    return commands;
}
