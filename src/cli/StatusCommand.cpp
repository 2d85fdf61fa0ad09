#include "cli/StatusCommand.h"

#include "cli/Console.h"
#include "core/DaemonAPI.h"
#include "core/DaemonStatusRows.h"

#include <QCommandLineParser>
#include <QEventLoop>
#include <QJsonDocument>
#include <optional>

namespace {

// Waits for the one answer while running the event loop the request needs.
Result<DaemonAPI::Status, DaemonAPI::Error> fetchStatus()
{
    std::optional<Result<DaemonAPI::Status, DaemonAPI::Error>> outcome;
    QEventLoop loop;
    DaemonAPI::status().then(&loop, [&](Result<DaemonAPI::Status, DaemonAPI::Error> result) {
        outcome = std::move(result);
        loop.quit();
    });
    if (!outcome) // an answer at hand was delivered at once
        loop.exec();
    return *std::move(outcome);
}

} // namespace

int StatusCommand::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Print the answer as a JSON object."));
    parser.addOption(json);
    if (const int exit = parse(parser, arguments); exit >= 0)
        return exit;
    if (!parser.positionalArguments().isEmpty()) {
        Console::usageError(QStringLiteral("status takes no arguments"));
        return exitUsage;
    }

    const auto status = fetchStatus();
    if (!status) {
        Console::err(DaemonStatusRows::failureLine(status.error()));
        return exitFailure;
    }
    if (parser.isSet(json)) {
        const QByteArray text = QJsonDocument(status.value().toJson()).toJson();
        Console::out(QString::fromUtf8(text).trimmed());
    } else {
        for (const QString& line : DaemonStatusRows::lines(status.value()))
            Console::out(line);
    }
    return exitSuccess;
}
