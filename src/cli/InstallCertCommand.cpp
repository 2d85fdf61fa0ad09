#include "cli/InstallCertCommand.h"

#include "cli/Console.h"
#include "core/setup/SetupCheck.h"

#include <QCommandLineParser>
#include <QEventLoop>

namespace {

// The script's output mostly ends its last line itself.
QString withoutFinalNewline(QString text)
{
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

int report(const Result<QString>& installed)
{
    if (!installed) {
        Console::err(withoutFinalNewline(installed.error().localizedDescription()));
        return exitFailure;
    }
    const QString output = withoutFinalNewline(installed.value());
    if (!output.isEmpty())
        Console::out(output);
    Console::out(QStringLiteral("Cert installed. The daemon may need a restart."));
    return exitSuccess;
}

} // namespace

int InstallCertCommand::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    if (const int exit = parse(parser, arguments); exit >= 0)
        return exit;
    if (!parser.positionalArguments().isEmpty()) {
        Console::usageError(QStringLiteral("install-cert takes no arguments"));
        return exitUsage;
    }

    QEventLoop loop;
    std::optional<int> exit;
    SetupCheck::installCert().then(&loop, [&](const Result<QString>& installed) {
        exit = report(installed);
        loop.quit();
    });
    if (!exit) // a result that was ready at once has been reported already
        loop.exec();
    return *exit;
}
