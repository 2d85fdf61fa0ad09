#include "cli/LogsCommand.h"

#include "cli/Console.h"
#include "core/base/SignalWatcher.h"
#include "core/daemon/DaemonManager.h"
#include "core/logs/LineFilter.h"
#include "core/logs/LogsModel.h"
#include "platform/Services.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

// Prints appended text. With a filter, only complete lines can be judged, so
// the line still being written waits for its end.
class AppendPrinter
{
public:
    explicit AppendPrinter(const QString& filter)
        : m_filter(filter)
    {}

    void print(const QString& text)
    {
        if (m_filter.isEmpty()) {
            Console::write(text);
            return;
        }
        m_partial += text;
        const qsizetype complete = m_partial.lastIndexOf(u'\n') + 1;
        if (complete == 0) {
            // A line that never ends is judged by its end, as the tab would.
            if (m_partial.size() > LogsModel::maxBufferBytes)
                m_partial.remove(0, m_partial.size() - LogsModel::maxBufferBytes / 2);
            return;
        }
        const QString lines = m_filter.select(m_partial.first(complete - 1));
        m_partial.remove(0, complete);
        if (!lines.isEmpty())
            Console::write(lines + u'\n');
    }

private:
    const LineFilter m_filter;
    QString m_partial;
};

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
    QString shown = model.displayedContent();
    // Filtered lines are joined without a final newline; end the last one.
    if (!model.filter().isEmpty() && !shown.isEmpty())
        shown += u'\n';
    Console::write(shown);
    return exitSuccess;
}

int LogsCommand::follow(LogsModel& model)
{
    SignalWatcher watcher;
    QObject::connect(&watcher, &SignalWatcher::interrupted,
                     [] { QCoreApplication::exit(exitSuccess); });
    AppendPrinter printer(model.filter());
    QObject::connect(&model, &LogsModel::contentAppended,
                     [&printer](const QString& text) { printer.print(text); });

    if (const auto bound = model.rebindTailer(); !bound) {
        Console::err(QStringLiteral("zentropectl: cannot follow %1: %2")
                         .arg(model.filePath(), bound.error().localizedDescription()));
        return exitFailure;
    }
    printer.print(model.content());
    return QCoreApplication::exec();
}
