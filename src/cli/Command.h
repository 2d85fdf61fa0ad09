#pragma once

#include <QString>
#include <QStringList>

class ApplicationContext;
class Console;
class QCommandLineParser;

enum ExitCode : int
{
    exitSuccess = 0,
    exitFailure = 1,
    exitUsage = 2
};

// One `zentropectl <name>` command. It runs in the calling process, on the
// main thread, with what it needs handed in: the application's shared things
// and the console its output goes to. Nothing it does outlives run(), apart
// from what the context owns.
class Command
{
public:
    virtual ~Command() = default;

    virtual QString name() const = 0;
    virtual QString summary() const = 0;
    // `arguments` are the program followed by what comes after the command's
    // name, as QCommandLineParser expects. Returns the process's exit code.
    virtual int run(const QStringList& arguments, ApplicationContext& context,
                    Console& console) = 0;

protected:
    // Parses `arguments`, handling --help. Returns -1 to go on, or the exit
    // code to end with (help printed, or a usage error reported in one line).
    int parse(QCommandLineParser& parser, const QStringList& arguments, Console& console) const;
    // parse() for a command that takes no positional arguments.
    int parseWithoutArguments(QCommandLineParser& parser, const QStringList& arguments,
                              Console& console) const;
};
