#include "cli/CommandLine.h"
#include "cli/DaemonCommand.h"

std::vector<std::unique_ptr<Command>> allCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<DaemonCommand>());
    return commands;
}
