#pragma once

#include <QString>
#include <QStringList>

class QCommandLineParser;

enum ExitCode : int
{
    exitSuccess = 0,
    exitFailure = 1,
    exitUsage = 2
};

// One `zentropectl <name>` command.
class Command
{
public:
    virtual ~Command() = default;

    virtual QString name() const = 0;
    virtual QString summary() const = 0;
    // `arguments` are the program followed by what comes after the command's
    // name, as QCommandLineParser expects. Returns the process's exit code.
    virtual int run(const QStringList& arguments) = 0;

protected:
    // Parses `arguments`, handling --help. Returns -1 to go on, or the exit
    // code to end with (help printed, or a usage error reported in one line).
    int parse(QCommandLineParser& parser, const QStringList& arguments) const;
    // parse() for a command that takes no positional arguments.
    int parseWithoutArguments(QCommandLineParser& parser, const QStringList& arguments) const;
};
