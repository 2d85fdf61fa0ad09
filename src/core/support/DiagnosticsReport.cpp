#include "core/support/DiagnosticsReport.h"

#include "core/base/ControlCharacters.h"
#include "core/office/OfficeHost.h"
#include "core/office/Sideloader.h"
#include "platform/SystemFacts.h"

#include <QMetaType>

namespace {

const QString unknown = QStringLiteral("unknown");

// Each line holds one field from elsewhere (a daemon's answer, a path, the
// system's words): it stays one line, with no control character in it.
QStringList escaped(QStringList lines)
{
    for (QString& line : lines)
        line = ControlCharacters::escaped(line);
    return lines;
}

QString orUnknown(const std::optional<QString>& value)
{
    return value.value_or(unknown);
}

// The information dictionary's text under `key`, "unknown" for anything else.
QString infoText(const QVariantMap& info, const QString& key)
{
    const QVariant value = info.value(key);
    return value.typeId() == QMetaType::QString ? value.toString() : unknown;
}

QStringList daemonLines(const Result<DaemonAPI::Status, DaemonAPI::Error>& status,
                        const QString& daemonAddress)
{
    if (!status)
        return {QStringLiteral("Daemon: not reachable on ") + daemonAddress};
    const DaemonAPI::Status& answer = status.value();
    return {
        QStringLiteral("Daemon: listening, version ") + answer.version,
        QStringLiteral("Active sessions: ") + QString::number(answer.activeSessions),
        QStringLiteral("Prism automation TCC: ") + answer.permissions.prismAutomation,
        QStringLiteral("System Events TCC: ") + answer.permissions.systemEventsAutomation,
    };
}

QString sideloadState(OfficeHost host)
{
    if (!host.isInstalled())
        return QStringLiteral("host not installed");
    if (!Sideloader::isSideloaded(host))
        return QStringLiteral("not sideloaded");
    return QStringLiteral("sideloaded at ") + host.wefDirectory() + u'/' +
           Sideloader::manifestFileName.toString();
}

} // namespace

namespace DiagnosticsReport {

QString stamp(const QDateTime& time)
{
    return time.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss"));
}

QStringList summaryLines(const QDateTime& generated, const Bundle& bundle,
                         const Result<DaemonAPI::Status, DaemonAPI::Error>& status,
                         const QString& daemonAddress)
{
    const QVariantMap info = bundle.infoDictionary();
    QStringList lines{
        QStringLiteral("Zentrope diagnostics"),
        QStringLiteral("Generated: ") + generated.toUTC().toString(Qt::ISODate),
        QStringLiteral("App version: %1 (%2)")
            .arg(infoText(info, QStringLiteral("CFBundleShortVersionString")),
                 infoText(info, QStringLiteral("CFBundleVersion"))),
        QStringLiteral("Bundle: ") + bundle.path(),
        QString(),
    };
    return escaped(lines + daemonLines(status, daemonAddress));
}

QStringList systemLines(const platform::SystemFacts& facts)
{
    const auto memory = facts.physicalMemoryBytes();
    return escaped({
        QStringLiteral("OS version: ") + orUnknown(facts.operatingSystemVersion()),
        QStringLiteral("Process architecture: ") + orUnknown(facts.machine()),
        QStringLiteral("CPU brand: ") + orUnknown(facts.cpuBrand()),
        QStringLiteral("Memory: ") +
            (memory ? QString::number(*memory >> 30) + QStringLiteral(" GB") : unknown),
        QStringLiteral("Locale: ") + orUnknown(facts.localeIdentifier()),
        QStringLiteral("Time zone: ") + orUnknown(facts.timeZoneIdentifier()),
    });
}

QStringList sideloadLines(const platform::Workspace& workspace)
{
    QStringList lines;
    for (const OfficeHost host : OfficeHost::allCases()) {
        lines.append(host.displayName() + QStringLiteral(": ") + sideloadState(host));
        if (host.isInstalled()) {
            const bool running = host.isRunning(workspace);
            lines.append(QStringLiteral("  running: ") +
                         (running ? QStringLiteral("true") : QStringLiteral("false")));
        }
    }
    return escaped(lines);
}

} // namespace DiagnosticsReport
