#include "cli/CommandLine.h"
#include "cli/Console.h"
#include "cli/FileDescriptorSink.h"
#include "core/base/NativeText.h"
#include "core/base/SignalWatcher.h"
#include "core/context/ApplicationContext.h"
#include "platform/Services.h"

#include <QCoreApplication>
#include <unistd.h>

int main(int argc, char* argv[])
{
    SignalWatcher::ignoreSignalsOfFailedWrites(); // a failed write is reported (Console)
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zentrope"));
    QCoreApplication::setOrganizationName(QStringLiteral("Zentrope"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZENTROPE_VERSION));

    FileDescriptorSink standardOutput(STDOUT_FILENO);
    FileDescriptorSink standardError(STDERR_FILENO);
    Console console(standardOutput, standardError);
    // Qt would turn bytes that are not UTF-8 into other characters, and so a
    // file name into one that does not exist.
    const Result<QStringList> arguments = NativeText::arguments(argc, argv);
    if (!arguments) {
        console.usageError(arguments.error().description);
        return exitUsage;
    }
    const Bundle bundle = Bundle::main();
    // Goes before `app`, as it must.
    ApplicationContext context(platform::nativeServices(bundle), UserDefaults::standard(), bundle);
    CommandLine commandLine(allCommands());
    return commandLine.run(arguments.value(), context, console);
}
