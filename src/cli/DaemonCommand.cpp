#include "cli/DaemonCommand.h"

#include "cli/Console.h"
#include "core/base/SignalWatcher.h"
#include "core/daemon/DaemonManager.h"

#include <QCommandLineParser>
#include <QCoreApplication>

int DaemonCommand::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    if (const int exit = parse(parser, arguments); exit >= 0)
        return exit;
    if (!parser.positionalArguments().isEmpty()) {
        Console::usageError(QStringLiteral("daemon takes no arguments"));
        return exitUsage;
    }

    DaemonManager& manager = DaemonManager::shared();
    SignalWatcher watcher;
    bool interrupted = false;

    QObject::connect(&manager, &DaemonManager::statusChanged,
                     [](const DaemonManager::Status& status) { Console::out(status.label()); });
    QObject::connect(&manager, &DaemonManager::childEnded, [&] {
        const bool crashed = manager.status().kind() == DaemonManager::Status::Kind::crashed;
        QCoreApplication::exit(interrupted || !crashed ? exitSuccess : exitFailure);
    });
    QObject::connect(&watcher, &SignalWatcher::interrupted, [&] {
        if (interrupted)
            return; // the forced kill is already scheduled
        interrupted = true;
        manager.stop();
    });

    manager.start();
    if (!manager.hasChild())
        return exitFailure; // could not launch; the label says so
    const int exit = QCoreApplication::exec();
    manager.flushLogs();
    return exit;
}
