#include "cli/DiagnosticsCommand.h"

#include "cli/Console.h"
#include "cli/FutureWait.h"
#include "core/base/ByteCountFormatter.h"
#include "core/base/ControlCharacters.h"
#include "core/context/ApplicationContext.h"
#include "core/support/DiagnosticsBundle.h"

#include <QCommandLineParser>

int DiagnosticsCommand::run(const QStringList& arguments, ApplicationContext& context,
                            Console& console)
{
    QCommandLineParser parser;
    if (const int exit = parseWithoutArguments(parser, arguments, console); exit >= 0)
        return exit;
    const auto outcome = waitForFuture(DiagnosticsBundle::generate(
        DiagnosticsBundle::applicationSetup(context.bundle(), context.logDirectory(),
                                            context.daemonChannel(), context.services())));
    if (!outcome) {
        console.err(QStringLiteral("The diagnostics run was cancelled."));
        return exitFailure;
    }
    if (!*outcome) {
        console.err(outcome->error().localizedDescription());
        return exitFailure;
    }
    // The Desktop's path is the user's setting: shown on one line, whatever it holds.
    console.out(ControlCharacters::escaped(outcome->value().url.toLocalFile()));
    console.out(ByteCountFormatter::fileString(outcome->value().bytes));
    return exitSuccess;
}
