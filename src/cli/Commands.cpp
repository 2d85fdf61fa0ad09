#include "cli/CommandLine.h"
#include "cli/DaemonCommand.h"
#include "cli/LogsCommand.h"

std::vector<std::unique_ptr<Command>> allCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<DaemonCommand>());
    commands.push_back(std::make_unique<LogsCommand>());
    return commands;
}
