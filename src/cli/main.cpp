#include "cli/CommandLine.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Zentrope"));
    QCoreApplication::setOrganizationName(QStringLiteral("Zentrope"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZENTROPE_VERSION));
    CommandLine commandLine(allCommands());
    return commandLine.run(QCoreApplication::arguments());
}
