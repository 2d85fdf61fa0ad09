#include "cli/StatusCommand.h"

#include "cli/Console.h"
#include "cli/FutureWait.h"
#include "core/api/DaemonAPI.h"
#include "core/api/DaemonStatusRows.h"

#include <QCommandLineParser>
#include <QJsonDocument>

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

    // The daemon channel never cancels a request of its own accord.
    const auto status = *waitForFuture(DaemonAPI::status());
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
