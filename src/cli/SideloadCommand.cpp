#include "cli/SideloadCommand.h"

#include "cli/Console.h"
#include "core/context/ApplicationContext.h"
#include "core/office/HostSnapshot.h"
#include "core/office/SideloadAll.h"
#include "core/office/SideloadMessages.h"
#include "core/office/Sideloader.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

const QString statusAction = QStringLiteral("status");
const QString installAction = QStringLiteral("install");
const QString removeAction = QStringLiteral("remove");

// Prints one outcome's line where it belongs; true unless it is an error.
bool report(const Sideloader::Outcome& outcome, const QString& action, Console& console)
{
    const SideloadMessages::Line line = SideloadMessages::forOutcome(outcome, action);
    if (line.kind == SideloadMessages::Line::Kind::error) {
        console.err(line.text);
        return false;
    }
    console.out(line.text);
    return true;
}

// The summary of an "all hosts" action, if any, then each failure on
// standard error.
int reportAll(const SideloadAll::Report& report, Console& console)
{
    if (report.message)
        console.out(*report.message);
    for (const QString& error : report.errors)
        console.err(error);
    return report.errors.isEmpty() ? exitSuccess : exitFailure;
}

// The JSON is written by hand so the hosts keep their order; QJsonObject
// would sort them. Strings still go through Qt's escaping.
QString jsonString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString jsonBool(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

// Options that make no sense for `action`, named in a usage error.
QString misplacedOption(const QCommandLineParser& parser, const QString& action)
{
    const QStringList allowed =
        action == statusAction    ? QStringList{QStringLiteral("json")}
        : action == installAction ? QStringList{QStringLiteral("host"), QStringLiteral("manifest")}
                                  : QStringList{QStringLiteral("host")};
    for (const QString& option :
         {QStringLiteral("json"), QStringLiteral("host"), QStringLiteral("manifest")}) {
        if (parser.isSet(option) && !allowed.contains(option))
            return option;
    }
    return {};
}

} // namespace

int SideloadCommand::run(const QStringList& arguments, ApplicationContext& context,
                         Console& console)
{
    QCommandLineParser parser;
    parser.addOptions({
        {QStringLiteral("host"), QStringLiteral("Only this host: word, excel or powerpoint."),
         QStringLiteral("host")},
        {QStringLiteral("manifest"), QStringLiteral("Install this manifest, not the bundled one."),
         QStringLiteral("file")},
        {QStringLiteral("json"), QStringLiteral("Print the status as JSON.")},
    });
    parser.addPositionalArgument(QStringLiteral("action"),
                                 QStringLiteral("status (the default), install or remove."),
                                 QStringLiteral("[status|install|remove]"));
    if (const int exit = parse(parser, arguments, console); exit >= 0)
        return exit;

    const QStringList positional = parser.positionalArguments();
    const QString action = positional.value(0, statusAction);
    if (positional.size() > 1 ||
        !QStringList{statusAction, installAction, removeAction}.contains(action)) {
        console.usageError(QStringLiteral("sideload takes one action: status, install or remove"));
        return exitUsage;
    }
    if (const QString option = misplacedOption(parser, action); !option.isEmpty()) {
        console.usageError(QStringLiteral("--%1 does not go with sideload %2").arg(option, action));
        return exitUsage;
    }
    std::optional<OfficeHost> host;
    if (parser.isSet(QStringLiteral("host"))) {
        const QString raw = parser.value(QStringLiteral("host"));
        host = OfficeHost::fromRawValue(raw);
        if (!host) {
            console.usageError(
                QStringLiteral("unknown host '%1' (use word, excel or powerpoint)").arg(raw));
            return exitUsage;
        }
    }
    const QString manifest = parser.value(QStringLiteral("manifest"));
    if (parser.isSet(QStringLiteral("manifest")) && manifest.isEmpty()) {
        console.usageError(QStringLiteral("--manifest needs a file"));
        return exitUsage;
    }
    if (action == installAction)
        return install(host, manifest, context.bundle(), console);
    if (action == removeAction)
        return remove(host, console);
    return status(parser.isSet(QStringLiteral("json")), *context.services().workspace, console);
}

int SideloadCommand::status(bool json, platform::Workspace& workspace, Console& console)
{
    QStringList lines;
    for (const HostSnapshot& each : HostSnapshot::take(workspace)) {
        if (json) {
            lines.append(QStringLiteral("  \"%1\": {\"installed\": %2, \"sideloaded\": %3, "
                                        "\"running\": %4, \"wefDirectory\": %5}")
                             .arg(each.host.rawValue(), jsonBool(each.installed),
                                  jsonBool(each.sideloaded), jsonBool(each.running),
                                  jsonString(each.host.wefDirectory())));
        } else {
            lines.append(each.host.displayName() + QStringLiteral(": ") + each.statusLabel());
        }
    }
    if (json)
        console.out(QStringLiteral("{\n") + lines.join(QStringLiteral(",\n")) +
                    QStringLiteral("\n}"));
    else
        console.out(lines.join(u'\n'));
    return exitSuccess;
}

int SideloadCommand::install(std::optional<OfficeHost> host, const QString& manifestOption,
                             const Bundle& bundle, Console& console)
{
    const std::optional<QString> manifest = manifestOption.isEmpty()
                                                ? Sideloader::bundledProdManifest(bundle)
                                                : QFileInfo(manifestOption).absoluteFilePath();
    if (!manifest) {
        console.err(SideloadMessages::pickManifestFirst());
        return exitFailure;
    }
    if (host) {
        return report(Sideloader::install(*manifest, *host), SideloadMessages::installAction(*host),
                      console)
                   ? exitSuccess
                   : exitFailure;
    }
    return reportAll(SideloadAll::install(*manifest), console);
}

int SideloadCommand::remove(std::optional<OfficeHost> host, Console& console)
{
    if (host) {
        return report(Sideloader::remove(*host), SideloadMessages::removeAction(*host), console)
                   ? exitSuccess
                   : exitFailure;
    }
    return reportAll(SideloadAll::remove(), console);
}
