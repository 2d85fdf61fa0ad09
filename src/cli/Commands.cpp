#include "cli/CommandLine.h"
#include "cli/CrashReportsCommand.h"
#include "cli/DaemonCommand.h"
#include "cli/DiagnosticsCommand.h"
#include "cli/DoctorCommand.h"
#include "cli/FlushCachesCommand.h"
#include "cli/InstallCertCommand.h"
#include "cli/LoginItemCommand.h"
#include "cli/LogsCommand.h"
#include "cli/QuitHostsCommand.h"
#include "cli/SideloadCommand.h"
#include "cli/StatusCommand.h"
#include "cli/UpdateCommand.h"

std::vector<std::unique_ptr<Command>> allCommands()
{
    std::vector<std::unique_ptr<Command>> commands;
    commands.push_back(std::make_unique<DaemonCommand>());
    commands.push_back(std::make_unique<SideloadCommand>());
    commands.push_back(std::make_unique<FlushCachesCommand>());
    commands.push_back(std::make_unique<QuitHostsCommand>());
    commands.push_back(std::make_unique<StatusCommand>());
    commands.push_back(std::make_unique<CrashReportsCommand>());
    commands.push_back(std::make_unique<UpdateCommand>());
    commands.push_back(std::make_unique<LogsCommand>());
    commands.push_back(std::make_unique<DoctorCommand>());
    commands.push_back(std::make_unique<InstallCertCommand>());
    commands.push_back(std::make_unique<LoginItemCommand>());
    commands.push_back(std::make_unique<DiagnosticsCommand>());
    return commands;
}
