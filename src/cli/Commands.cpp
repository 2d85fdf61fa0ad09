#include "cli/CommandLine.h"
#include "cli/DaemonCommand.h"
#include "cli/InstallCertCommand.h"
#include "cli/LoginItemCommand.h"

std::vector<std::unique_ptr<Command>> allCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<DaemonCommand>());
    commands.push_back(std::make_unique<InstallCertCommand>());
    commands.push_back(std::make_unique<LoginItemCommand>());
    return commands;
}
