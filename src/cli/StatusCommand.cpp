#include "cli/StatusCommand.h"

#include "cli/Console.h"
#include "cli/FutureWait.h"
#include "cli/SignalWatcher.h"
#include "core/api/DaemonAPI.h"
#include "core/api/DaemonStatusRows.h"
#include "core/api/StatusPoller.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonDocument>

namespace {

// Prints what changed since the last look, as the status tab would redraw it.
class ChangePrinter
{
public:
    void print(const StatusPoller& poller)
    {
        if (poller.isQuerying() && !m_querying)
            Console::out(DaemonStatusRows::queryingText());
        if (poller.lastError() && poller.lastError() != m_lastError)
            Console::err(*poller.lastError());
        // After an error, the answer is shown again even when it is the same.
        const bool recovered = m_lastError && !poller.lastError();
        if (poller.status() && (poller.status() != m_status || recovered)) {
            for (const QString& line : DaemonStatusRows::lines(*poller.status()))
                Console::out(line);
        }
        m_querying = poller.isQuerying();
        m_status = poller.status();
        m_lastError = poller.lastError();
    }

private:
    bool m_querying = false;
    std::optional<DaemonStatusRecord> m_status;
    std::optional<QString> m_lastError;
};

} // namespace

int StatusCommand::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Print the answer as a JSON object."));
    const QCommandLineOption watchOption(
        QStringLiteral("watch"),
        QStringLiteral("Keep asking, every 2 seconds after each answer, and print each change "
                       "until interrupted."));
    parser.addOptions({json, watchOption});
    if (const int exit = parseWithoutArguments(parser, arguments); exit >= 0)
        return exit;
    if (parser.isSet(json) && parser.isSet(watchOption)) {
        Console::usageError(QStringLiteral("--json does not go with --watch"));
        return exitUsage;
    }
    return parser.isSet(watchOption) ? watch() : printOnce(parser.isSet(json));
}

int StatusCommand::printOnce(bool json)
{
    // The daemon channel never cancels a request of its own accord.
    const auto status = *waitForFuture(DaemonAPI::status());
    if (!status) {
        Console::err(DaemonStatusRows::failureLine(status.error()));
        return exitFailure;
    }
    if (json) {
        const QByteArray text = QJsonDocument(status.value().toJson()).toJson();
        Console::out(QString::fromUtf8(text).trimmed());
    } else {
        for (const QString& line : DaemonStatusRows::lines(status.value()))
            Console::out(line);
    }
    return exitSuccess;
}

int StatusCommand::watch()
{
    // This process supervises no daemon: the poller takes it to be running.
    StatusPoller poller(DaemonChannel::shared());
    ChangePrinter printer;
    QObject::connect(&poller, &StatusPoller::changed, [&] { printer.print(poller); });
    SignalWatcher watcher;
    QObject::connect(&watcher, &SignalWatcher::interrupted,
                     [] { QCoreApplication::exit(exitSuccess); });
    printer.print(poller);
    poller.setActive(true);
    return QCoreApplication::exec();
}
