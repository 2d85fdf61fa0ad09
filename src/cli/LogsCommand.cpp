#include "cli/LogsCommand.h"

#include "cli/Console.h"
#include "cli/SignalWatcher.h"
#include "core/context/ApplicationContext.h"
#include "core/logs/LineFilter.h"
#include "core/logs/LogsModel.h"

#include <QCommandLineParser>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <cerrno>
#include <optional>

namespace {

// Prints appended text. With a filter, only complete lines can be judged, so
// the line still being written waits for its end.
class AppendPrinter
{
public:
    AppendPrinter(const QString& filter, Console& console)
        : m_filter(filter)
        , m_console(console)
    {}

    // False once standard output can no longer be written.
    bool print(const QString& text)
    {
        if (m_filter.isEmpty())
            return text.isEmpty() || m_console.write(text);
        m_partial += text;
        const qsizetype complete = m_partial.lastIndexOf(u'\n') + 1;
        if (complete == 0) {
            // A line that never ends is judged by its end, as the tab would.
            if (m_partial.size() > LogsModel::maxBufferBytes)
                m_partial.remove(0, m_partial.size() - LogsModel::maxBufferBytes / 2);
            return true;
        }
        const QString lines = m_filter.select(m_partial.first(complete - 1));
        m_partial.remove(0, complete);
        return lines.isEmpty() || m_console.write(lines + u'\n');
    }

private:
    const LineFilter m_filter;
    Console& m_console;
    QString m_partial;
};

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
Binding bind(LogsModel& model, AppendPrinter& printer, Console& console)
{
    if (!QFileInfo::exists(QFileInfo(model.filePath()).path()))
        return {};
    const auto bound = model.rebindTailer();
    if (bound)
        return {true, printer.print(model.content()) ? std::nullopt : std::optional(exitFailure)};
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
    QString shown = model.displayedContent();
    // Filtered lines are joined without a final newline; end the last one.
    if (!model.filter().isEmpty() && !shown.isEmpty())
        shown += u'\n';
    console.write(shown);
    return exitSuccess;
}

int LogsCommand::follow(LogsModel& model, Console& console)
{
    QEventLoop loop;
    SignalWatcher watcher;
    QObject::connect(&watcher, &SignalWatcher::interrupted, &loop,
                     [&loop] { loop.exit(exitSuccess); });
    AppendPrinter printer(model.filter(), console);
    QObject::connect(&model, &LogsModel::contentAppended, &loop, [&](const QString& text) {
        if (!printer.print(text))
            loop.exit(exitFailure);
    });

    if (!QFileInfo::exists(model.filePath()))
        console.err(noLogFile(model.filePath()));
    Binding binding = bind(model, printer, console);
    if (binding.exitCode)
        return *binding.exitCode;
    QTimer retry;
    if (!binding.following) {
        QObject::connect(&retry, &QTimer::timeout, &loop, [&] {
            binding = bind(model, printer, console);
            if (binding.following || binding.exitCode)
                retry.stop();
            if (binding.exitCode)
                loop.exit(*binding.exitCode);
        });
        retry.start(retryInterval);
    }
    return loop.exec();
}
