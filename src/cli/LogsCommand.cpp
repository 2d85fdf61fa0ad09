#include "cli/LogsCommand.h"

#include "cli/Console.h"
#include "cli/SignalWatcher.h"
#include "core/daemon/DaemonManager.h"
#include "core/logs/LogsModel.h"
#include "platform/Services.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

// Filtered text comes as lines joined with newlines; printed, each line ends
// with one, so that a reader of the pipe sees it whole at once.
void printDisplayed(const LogsModel& model, QStringView text)
{
    if (model.filter().isEmpty()) {
        Console::write(text.toString());
        return;
    }
    if (text.startsWith(u'\n'))
        text = text.sliced(1);
    if (!text.isEmpty())
        Console::write(text.toString() + u'\n');
}

} // namespace

int LogsCommand::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption errors(
        QStringLiteral("errors"),
        QStringLiteral("Show daemon.err (the daemon's standard error) instead of daemon.log."));
    const QCommandLineOption follow(
        {QStringLiteral("f"), QStringLiteral("follow")},
        QStringLiteral("Keep printing appended text, across deletion and renaming of the file, "
                       "until interrupted."));
    const QCommandLineOption filter(
        QStringLiteral("filter"),
        QStringLiteral("Show only the lines that contain <text>, ignoring case."),
        QStringLiteral("text"));
    parser.addOptions({errors, follow, filter});
    if (const int exit = parse(parser, arguments); exit >= 0)
        return exit;
    if (!parser.positionalArguments().isEmpty()) {
        Console::usageError(QStringLiteral("logs takes no arguments"));
        return exitUsage;
    }

    LogsModel model(DaemonManager::logDirectory(), platform::nativeServices().fileWatcher);
    model.setStream(parser.isSet(errors) ? LogsModel::Stream::stderr : LogsModel::Stream::stdout);
    model.setFilter(parser.value(filter));
    return parser.isSet(follow) ? LogsCommand::follow(model) : print(model);
}

int LogsCommand::print(LogsModel& model)
{
    if (const auto loaded = model.loadTail(); !loaded) {
        Console::err(QStringLiteral("zentropectl: cannot read %1: %2")
                         .arg(model.filePath(), loaded.error().localizedDescription()));
        return exitFailure;
    }
    model.flushPartialLine(); // the file's end ends its last line
    printDisplayed(model, model.displayedContent());
    return exitSuccess;
}

int LogsCommand::follow(LogsModel& model)
{
    SignalWatcher watcher;
    QObject::connect(&watcher, &SignalWatcher::interrupted, [&model] {
        model.flushPartialLine();
        QCoreApplication::exit(exitSuccess);
    });
    QObject::connect(&model, &LogsModel::displayedAppended,
                     [&model](const QString& text) { printDisplayed(model, text); });

    if (const auto bound = model.rebindTailer(); !bound) {
        Console::err(QStringLiteral("zentropectl: cannot follow %1: %2")
                         .arg(model.filePath(), bound.error().localizedDescription()));
        return exitFailure;
    }
    printDisplayed(model, model.displayedContent());
    return QCoreApplication::exec();
}
