#include "cli/CrashReportsCommand.h"

#include "cli/Console.h"
#include "core/base/ControlCharacters.h"
#include "core/support/CrashReports.h"

#include <QCommandLineParser>

int CrashReportsCommand::run(const QStringList& arguments, ApplicationContext&, Console& console)
{
    QCommandLineParser parser;
    const QCommandLineOption limitOption(
        QStringLiteral("limit"),
        QStringLiteral("List at most N reports (default %1).").arg(defaultLimit),
        QStringLiteral("N"), QString::number(defaultLimit));
    parser.addOption(limitOption);
    if (const int exit = parseWithoutArguments(parser, arguments, console); exit >= 0)
        return exit;
    bool valid = false;
    const int limit = parser.value(limitOption).toInt(&valid);
    if (!valid || limit < 1) {
        console.usageError(QStringLiteral("--limit needs a whole number of at least 1, not '%1'")
                               .arg(parser.value(limitOption)));
        return exitUsage;
    }

    const QList<CrashReports::Report> reports = CrashReports::recent(limit);
    if (reports.isEmpty())
        console.out(QStringLiteral("No crash reports mentioning Zentrope."));
    // A report's name is whatever some program chose: one line each, whatever it holds.
    for (const CrashReports::Report& report : reports) {
        console.out(report.createdAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
                    QStringLiteral("  ") + ControlCharacters::escaped(report.url.toLocalFile()));
    }
    return exitSuccess;
}
