#include "cli/LogsCommand.h"

#include "cli/Console.h"
#include "core/base/SignalWatcher.h"
#include "core/context/ApplicationContext.h"
#include "core/logs/LogsModel.h"

#include <QCommandLineParser>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <cerrno>
#include <optional>

namespace {

// Filtered text comes as lines joined with newlines; printed, each line ends
// with one, so that a reader of the pipe sees it whole at once. False once
// standard output can no longer be written.
bool printDisplayed(const LogsModel& model, QStringView text, Console& console)
{
    if (model.filter().isEmpty())
        return text.isEmpty() || console.write(text.toString());
    if (text.startsWith(u'\n'))
        text = text.sliced(1);
    return text.isEmpty() || console.write(text.toString() + u'\n');
}

bool isMissing(const Error& error)
{
    return error.domain == u"POSIX" && error.code == ENOENT;
}

QString noLogFile(const QString& path)
{
    return QStringLiteral("(no log file at %1)").arg(path);
}

struct Binding
{
    bool following = false;
    std::optional<int> exitCode; // following must end with it
};

// Follows the model's log and prints its tail once its folder is there
// (binding makes the file itself when it is missing); until then, nothing.
Binding bind(LogsModel& model, Console& console)
{
    if (!QFileInfo::exists(QFileInfo(model.filePath()).path()))
        return {};
    const auto bound = model.rebindTailer();
    if (bound)
        return {true, printDisplayed(model, model.displayedContent(), console)
                          ? std::nullopt
                          : std::optional(exitFailure)};
    if (isMissing(bound.error()))
        return {};
    console.err(QStringLiteral("zentropectl: cannot follow %1: %2")
                    .arg(model.filePath(), bound.error().localizedDescription()));
    return {false, exitFailure};
}

} // namespace

int LogsCommand::run(const QStringList& arguments, ApplicationContext& context, Console& console)
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
    if (const int exit = parseWithoutArguments(parser, arguments, console); exit >= 0)
        return exit;

    LogsModel model(context.logDirectory(), context.services().fileWatcher);
    model.setStream(parser.isSet(errors) ? LogsModel::Stream::stderr : LogsModel::Stream::stdout);
    model.setFilter(parser.value(filter));
    return parser.isSet(follow) ? LogsCommand::follow(model, console) : print(model, console);
}

int LogsCommand::print(LogsModel& model, Console& console)
{
    if (const auto loaded = model.loadTail(); !loaded) {
        if (isMissing(loaded.error())) {
            console.err(noLogFile(model.filePath()));
            return exitSuccess;
        }
        console.err(QStringLiteral("zentropectl: cannot read %1: %2")
                        .arg(model.filePath(), loaded.error().localizedDescription()));
        return exitFailure;
    }
    model.flushPartialLine(); // the file's end ends its last line
    printDisplayed(model, model.displayedContent(), console);
    return exitSuccess;
}

int LogsCommand::follow(LogsModel& model, Console& console)
{
    QEventLoop loop;
    SignalWatcher watcher;
    QObject::connect(&model, &LogsModel::displayedAppended, &loop, [&](const QString& text) {
        if (!printDisplayed(model, text, console))
            loop.exit(exitFailure);
    });
    QObject::connect(&watcher, &SignalWatcher::interrupted, &loop, [&] {
        model.flushPartialLine(); // a last line without its newline is shown, not lost
        loop.exit(exitSuccess);
    });

    if (!QFileInfo::exists(model.filePath()))
        console.err(noLogFile(model.filePath()));
    Binding binding = bind(model, console);
    if (binding.exitCode)
        return *binding.exitCode;
    QTimer retry;
    if (!binding.following) {
        QObject::connect(&retry, &QTimer::timeout, &loop, [&] {
            binding = bind(model, console);
            if (binding.following || binding.exitCode)
                retry.stop();
            if (binding.exitCode)
                loop.exit(*binding.exitCode);
        });
        retry.start(retryInterval);
    }
    return loop.exec();
}
