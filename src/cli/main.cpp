#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "cli/FileDescriptorSink.h"
#include "core/base/SignalWatcher.h"
#include "core/context/ApplicationContext.h"
#include "platform/Services.h"

#include <QCoreApplication>
#include <unistd.h>

int main(int argc, char* argv[])
{
    SignalWatcher::ignoreBrokenPipes(); // a failed write is reported (Console)
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zentrope"));
    QCoreApplication::setOrganizationName(QStringLiteral("Zentrope"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZENTROPE_VERSION));

    FileDescriptorSink standardOutput(STDOUT_FILENO);
    FileDescriptorSink standardError(STDERR_FILENO);
    Console console(standardOutput, standardError);
    const Bundle bundle = Bundle::main();
    // Goes before `app`, as it must.
    ApplicationContext context(platform::nativeServices(bundle), UserDefaults::standard(), bundle);
    CommandLine commandLine(allCommands());
    return commandLine.run(QCoreApplication::arguments(), context, console);
}
