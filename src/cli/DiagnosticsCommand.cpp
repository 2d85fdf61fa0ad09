#include "cli/DiagnosticsCommand.h"

#include "cli/Console.h"
#include "cli/FutureWait.h"
#include "core/base/ByteCountFormatter.h"
#include "core/support/DiagnosticsBundle.h"
#include "platform/Services.h"

#include <QCommandLineParser>

int DiagnosticsCommand::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    if (const int exit = parseWithoutArguments(parser, arguments); exit >= 0)
        return exit;
    const auto outcome = waitForFuture(DiagnosticsBundle::generate(platform::nativeServices()));
    if (!outcome) {
        Console::err(QStringLiteral("The diagnostics run was cancelled."));
        return exitFailure;
    }
    if (!*outcome) {
        Console::err(outcome->error().localizedDescription());
        return exitFailure;
    }
    Console::out(outcome->value().url.toLocalFile());
    Console::out(ByteCountFormatter::fileString(outcome->value().bytes));
    return exitSuccess;
}
