#pragma once

#include "cli/Command.h"

#include <memory>
#include <vector>

// Dispatches `zentropectl [--help|--version] <command> …` to its command.
class CommandLine
{
public:
    explicit CommandLine(std::vector<std::unique_ptr<Command>> commands);

    int run(const QStringList& arguments);

private:
    Command* find(const QString& name) const;
    QString helpText() const;

    std::vector<std::unique_ptr<Command>> m_commands;
};

// Every command the tool offers, in the order --help lists them.
std::vector<std::unique_ptr<Command>> allCommands();
