#include "cli/DaemonCommand.h"

#include "cli/Console.h"
#include "core/base/SignalWatcher.h"
#include "core/context/ApplicationContext.h"

#include <QCommandLineParser>
#include <QEventLoop>

int DaemonCommand::run(const QStringList& arguments, ApplicationContext& context, Console& console)
{
    QCommandLineParser parser;
    if (const int exit = parseWithoutArguments(parser, arguments, console); exit >= 0)
        return exit;

    DaemonManager& manager = context.daemonManager();
    SignalWatcher watcher;
    QEventLoop loop; // also ends the connections to the manager, which outlives the command
    bool interrupted = false;

    QObject::connect(
        &manager, &DaemonManager::statusChanged, &loop,
        [&console](const DaemonManager::Status& status) { console.out(status.label()); });
    // Why, as the supervisor wrote it to daemon.err: a crash label alone
    // does not say that the files are missing or the port is taken.
    QObject::connect(&manager, &DaemonManager::failureReported, &loop,
                     [&console](const QString& reason) {
                         for (const QString& line : reason.split(u'\n'))
                             console.usageError(line);
                     });
    QObject::connect(&manager, &DaemonManager::childEnded, &loop, [&] {
        const bool crashed = manager.status().kind() == DaemonManager::Status::Kind::crashed;
        loop.exit(interrupted || !crashed ? exitSuccess : exitFailure);
    });
    QObject::connect(&watcher, &SignalWatcher::interrupted, &loop, [&] {
        if (interrupted)
            return; // the forced kill is already scheduled
        interrupted = true;
        manager.stop();
    });

    manager.start();
    if (!manager.hasChild())
        return exitFailure; // could not launch; the label says so
    const int exit = loop.exec();
    manager.flushLogs();
    return exit;
}
