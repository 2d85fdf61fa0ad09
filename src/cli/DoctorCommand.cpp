#include "cli/DoctorCommand.h"

#include "cli/Console.h"
#include "core/context/ApplicationContext.h"
#include "core/setup/SetupRows.h"

#include <QCommandLineParser>

int DoctorCommand::run(const QStringList& arguments, ApplicationContext& context, Console& console)
{
    QCommandLineParser parser;
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        QStringLiteral("Print the six setup flags as JSON."));
    parser.addOption(jsonOption);
    if (const int exit = parseWithoutArguments(parser, arguments, console); exit >= 0)
        return exit;

    const platform::Services& services = context.services();
    const SetupCheck::State state =
        SetupCheck::evaluate(*services.certificateTrust, *services.accessibility);
    if (parser.isSet(jsonOption)) {
        console.out(json(state));
    } else {
        for (const QString& line : SetupRows::lines(state))
            console.out(line);
    }
    return SetupRows::setupNeeded(state) ? exitFailure : exitSuccess;
}

QString DoctorCommand::json(const SetupCheck::State& state)
{
    const std::pair<const char*, bool> flags[] = {
        {"certInstalled", state.certInstalled},
        {"certValid", state.certValid},
        {"certTrusted", state.certTrusted},
        {"anyHostSideloaded", state.anyHostSideloaded},
        {"anyHostInstalled", state.anyHostInstalled},
        {"accessibilityGranted", state.accessibilityGranted},
    };
    QStringList members;
    for (const auto& [name, value] : flags)
        members.append(QStringLiteral("    \"%1\": %2")
                           .arg(QLatin1StringView(name),
                                value ? QStringLiteral("true") : QStringLiteral("false")));
    return QStringLiteral("{\n") + members.join(QStringLiteral(",\n")) + QStringLiteral("\n}");
}
