#include "cli/InstallCertCommand.h"

#include "cli/Console.h"
#include "core/context/ApplicationContext.h"
#include "core/setup/SetupCheck.h"
#include "core/setup/SetupRows.h"

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

int report(const Result<QString>& installed, Console& console)
{
    if (!installed) {
        console.err(withoutFinalNewline(installed.error().localizedDescription()));
        return exitFailure;
    }
    const QString output = withoutFinalNewline(installed.value());
    if (!output.isEmpty())
        console.out(output);
    console.out(SetupRows::certificateInstalled());
    return exitSuccess;
}

} // namespace

int InstallCertCommand::run(const QStringList& arguments, ApplicationContext& context,
                            Console& console)
{
    QCommandLineParser parser;
    if (const int exit = parseWithoutArguments(parser, arguments, console); exit >= 0)
        return exit;

    QEventLoop loop;
    std::optional<int> exit;
    SetupCheck::installCert(context.bundle()).then(&loop, [&](const Result<QString>& installed) {
        exit = report(installed, console);
        loop.quit();
    });
    if (!exit) // a result that was ready at once has been reported already
        loop.exec();
    return *exit;
}
