#include "cli/CommandLine.h"

#include "cli/Console.h"
#include "core/base/HomeFolder.h"

#include <QCoreApplication>

CommandLine::CommandLine(std::vector<std::unique_ptr<Command>> commands)
    : m_commands(std::move(commands))
{}

int CommandLine::run(const QStringList& arguments, ApplicationContext& context, Console& console)
{
    const int exit = dispatch(arguments, context, console);
    if (const auto& failure = console.outputError()) {
        console.usageError(QStringLiteral("cannot write to standard output: ") +
                           failure->localizedDescription());
        return exit == exitSuccess ? exitFailure : exit;
    }
    // Nowhere left to say so; the exit code still does.
    if (console.errorOutputError() && exit == exitSuccess)
        return exitFailure;
    return exit;
}

int CommandLine::dispatch(const QStringList& arguments, ApplicationContext& context,
                          Console& console)
{
    const QString first = arguments.value(1);
    if (first.isEmpty()) {
        console.usageError(QStringLiteral("missing command (see zentropectl --help)"));
        return exitUsage;
    }
    if (first == u"--help" || first == u"-h" || first == u"help") {
        console.out(helpText());
        return exitSuccess;
    }
    if (first == u"--version" || first == u"-v") {
        console.out(QStringLiteral("zentropectl ") + QCoreApplication::applicationVersion());
        return exitSuccess;
    }
    if (first.startsWith(u'-')) {
        console.usageError(QStringLiteral("unknown option '%1'").arg(first));
        return exitUsage;
    }
    Command* command = find(first);
    if (!command) {
        console.usageError(
            QStringLiteral("unknown command '%1' (see zentropectl --help)").arg(first));
        return exitUsage;
    }
    // Every command reaches its files from the home folder; a HOME that names
    // none would have it work somewhere else, quietly.
    if (const Result<QString> home = HomeFolder::fromEnvironment(); !home) {
        console.usageError(home.error().description +
                           QStringLiteral(" Set HOME to your home folder and try again."));
        return exitFailure;
    }
    QStringList forwarded = arguments.mid(1);
    forwarded.first() = arguments.first(); // the program, then the command's own words
    return command->run(forwarded, context, console);
}

Command* CommandLine::find(const QString& name) const
{
    for (const auto& command : m_commands) {
        if (command->name() == name)
            return command.get();
    }
    return nullptr;
}

QString CommandLine::helpText() const
{
    QString text = QStringLiteral("Usage: zentropectl <command> [options]\n\n"
                                  "The command-line companion of Zentrope.\n\n"
                                  "Options:\n"
                                  "  -h, --help     Show this help.\n"
                                  "  -v, --version  Show the version.\n\n"
                                  "Commands:\n");
    for (const auto& command : m_commands)
        text +=
            QStringLiteral("  %1  %2\n").arg(command->name().leftJustified(14), command->summary());
    text += QStringLiteral("\nRun 'zentropectl <command> --help' for a command's options.");
    return text;
}
