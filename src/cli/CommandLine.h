#pragma once

#include "cli/Command.h"

#include <memory>
#include <vector>

// Dispatches `zentropectl [--help|--version] <command> …` to its command.
class CommandLine
{
public:
    explicit CommandLine(std::vector<std::unique_ptr<Command>> commands);

    // Runs the command that `arguments` (the program first) name. A write to
    // standard output that failed is reported on standard error and makes the
    // exit code a failure.
    int run(const QStringList& arguments, ApplicationContext& context, Console& console);

private:
    int dispatch(const QStringList& arguments, ApplicationContext& context, Console& console);
    Command* find(const QString& name) const;
    QString helpText() const;

    std::vector<std::unique_ptr<Command>> m_commands;
};

// Every command the tool offers, in the order --help lists them.
std::vector<std::unique_ptr<Command>> allCommands();
