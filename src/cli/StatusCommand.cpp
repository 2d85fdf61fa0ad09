#include "cli/StatusCommand.h"

#include "cli/Console.h"
#include "cli/FutureWait.h"
#include "core/api/DaemonAPI.h"
#include "core/api/DaemonStatusRows.h"
#include "core/context/ApplicationContext.h"

#include <QCommandLineParser>
#include <QJsonDocument>

int StatusCommand::run(const QStringList& arguments, ApplicationContext& context, Console& console)
{
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Print the answer as a JSON object."));
    parser.addOption(json);
    if (const int exit = parseWithoutArguments(parser, arguments, console); exit >= 0)
        return exit;

    // The daemon channel never cancels a request of its own accord.
    const auto status = *waitForFuture(DaemonAPI::status(context.daemonChannel()));
    if (!status) {
        console.err(DaemonStatusRows::failureLine(status.error()));
        return exitFailure;
    }
    if (parser.isSet(json)) {
        const QByteArray text = QJsonDocument(status.value().toJson()).toJson();
        console.out(QString::fromUtf8(text).trimmed());
    } else {
        for (const QString& line : DaemonStatusRows::lines(status.value()))
            console.out(line);
    }
    return exitSuccess;
}
