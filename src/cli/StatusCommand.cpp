#include "cli/StatusCommand.h"

#include "cli/Console.h"
#include "cli/FutureWait.h"
#include "core/api/DaemonAPI.h"
#include "core/api/DaemonStatusRows.h"
#include "core/api/StatusPoller.h"
#include "core/base/SignalWatcher.h"
#include "core/context/ApplicationContext.h"

#include <QCommandLineParser>
#include <QEventLoop>
#include <QJsonDocument>

namespace {

// Prints what changed since the last look, as the status tab would redraw it.
class ChangePrinter
{
public:
    explicit ChangePrinter(Console& console)
        : m_console(console)
    {}

    // False once nothing can be printed any more.
    bool print(const StatusPoller& poller)
    {
        if (poller.isQuerying() && !m_querying)
            m_console.out(DaemonStatusRows::queryingText());
        if (poller.lastError() && poller.lastError() != m_lastError)
            m_console.err(*poller.lastError());
        // After an error, the answer is shown again even when it is the same.
        const bool recovered = m_lastError && !poller.lastError();
        if (poller.status() && (poller.status() != m_status || recovered)) {
            for (const QString& line : DaemonStatusRows::lines(*poller.status()))
                m_console.out(line);
        }
        m_querying = poller.isQuerying();
        m_status = poller.status();
        m_lastError = poller.lastError();
        return !m_console.hasFailed();
    }

private:
    Console& m_console;
    bool m_querying = false;
    std::optional<DaemonStatusRecord> m_status;
    std::optional<QString> m_lastError;
};

} // namespace

int StatusCommand::run(const QStringList& arguments, ApplicationContext& context, Console& console)
{
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Print the answer as a JSON object."));
    const QCommandLineOption watchOption(
        QStringLiteral("watch"),
        QStringLiteral("Keep asking, every 2 seconds after each answer, and print each change "
                       "until interrupted."));
    parser.addOptions({json, watchOption});
    if (const int exit = parseWithoutArguments(parser, arguments, console); exit >= 0)
        return exit;
    if (parser.isSet(json) && parser.isSet(watchOption)) {
        console.usageError(QStringLiteral("--json does not go with --watch"));
        return exitUsage;
    }
    return parser.isSet(watchOption)
               ? watch(context.daemonChannel(), console)
               : printOnce(context.daemonChannel(), parser.isSet(json), console);
}

int StatusCommand::printOnce(DaemonChannel& channel, bool json, Console& console)
{
    // The daemon channel never cancels a request of its own accord.
    const auto status = *waitForFuture(DaemonAPI::status(channel));
    if (!status) {
        console.err(DaemonStatusRows::failureLine(status.error()));
        return exitFailure;
    }
    if (json) {
        const QByteArray text = QJsonDocument(status.value().toJson()).toJson();
        console.out(QString::fromUtf8(text).trimmed());
    } else {
        for (const QString& line : DaemonStatusRows::lines(status.value()))
            console.out(line);
    }
    return exitSuccess;
}

int StatusCommand::watch(DaemonChannel& channel, Console& console)
{
    // This process supervises no daemon: the poller takes it to be running.
    StatusPoller poller(channel);
    ChangePrinter printer(console);
    QEventLoop loop;
    // Watching for nobody is pointless: the first write that fails ends it.
    QObject::connect(&poller, &StatusPoller::changed, &loop, [&] {
        if (!printer.print(poller))
            loop.exit(exitFailure);
    });
    SignalWatcher watcher;
    QObject::connect(&watcher, &SignalWatcher::interrupted, &loop,
                     [&loop] { loop.exit(exitSuccess); });
    if (!printer.print(poller))
        return exitFailure;
    poller.setActive(true);
    return loop.exec();
}
