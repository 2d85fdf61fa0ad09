#include "cli/Command.h"

#include "cli/Console.h"

#include <QCommandLineParser>

int Command::parse(QCommandLineParser& parser, const QStringList& arguments, Console& console) const
{
    parser.setApplicationDescription(summary());
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    if (!parser.parse(arguments)) {
        console.usageError(parser.errorText());
        return exitUsage;
    }
    if (parser.isSet(help)) {
        // Qt names the executable's full path in its usage line; name the command.
        QString text = parser.helpText();
        text.remove(0, text.indexOf(u'\n'));
        console.out(QStringLiteral("Usage: zentropectl %1 [options]").arg(name()) +
                    text.trimmed().prepend(u'\n'));
        return exitSuccess;
    }
    return -1;
}

int Command::parseWithoutArguments(QCommandLineParser& parser, const QStringList& arguments,
                                   Console& console) const
{
    if (const int exit = parse(parser, arguments, console); exit >= 0)
        return exit;
    if (!parser.positionalArguments().isEmpty()) {
        console.usageError(QStringLiteral("%1 takes no arguments").arg(name()));
        return exitUsage;
    }
    return -1;
}
