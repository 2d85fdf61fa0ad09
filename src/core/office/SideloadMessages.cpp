#include "core/office/SideloadMessages.h"

namespace SideloadMessages {

namespace {

QString namesWhere(const QList<Sideloader::HostOutcome>& outcomes, Sideloader::Outcome::Kind kind)
{
    QStringList names;
    for (const Sideloader::HostOutcome& each : outcomes) {
        if (each.outcome.kind() == kind)
            names.append(each.host.displayName());
    }
    return names.join(QStringLiteral(", "));
}

} // namespace

QString installAction(OfficeHost host)
{
    return QStringLiteral("install into ") + host.displayName();
}

QString removeAction(OfficeHost host)
{
    return QStringLiteral("remove from ") + host.displayName();
}

Line forOutcome(const Sideloader::Outcome& outcome, const QString& action)
{
    using Kind = Sideloader::Outcome::Kind;
    switch (outcome.kind()) {
    case Kind::copied:
        return {Line::Kind::message, QStringLiteral("Installed at ") + outcome.file()};
    case Kind::removed:
        return {Line::Kind::message, QStringLiteral("Removed ") + outcome.file()};
    case Kind::skipped:
        return {Line::Kind::message,
                QStringLiteral("Skipped %1: %2").arg(action, outcome.reason())};
    case Kind::failed:
        return {
            Line::Kind::error,
            QStringLiteral("Failed to %1: %2").arg(action, outcome.error().localizedDescription())};
    }
    Q_UNREACHABLE();
}

QString installAllSummary(const QList<Sideloader::HostOutcome>& outcomes)
{
    const QString names = namesWhere(outcomes, Sideloader::Outcome::Kind::copied);
    return names.isEmpty() ? QStringLiteral("No Office hosts installed.")
                           : QStringLiteral("Installed into: ") + names;
}

QString removeAllSummary(const QList<Sideloader::HostOutcome>& outcomes)
{
    const QString names = namesWhere(outcomes, Sideloader::Outcome::Kind::removed);
    return names.isEmpty() ? QStringLiteral("Nothing to remove.")
                           : QStringLiteral("Removed from: ") + names;
}

QStringList failureLines(const QList<Sideloader::HostOutcome>& outcomes,
                         QString (*actionFor)(OfficeHost))
{
    QStringList lines;
    for (const Sideloader::HostOutcome& each : outcomes) {
        if (each.outcome.kind() == Sideloader::Outcome::Kind::failed)
            lines.append(forOutcome(each.outcome, actionFor(each.host)).text);
    }
    return lines;
}

QString pickManifestFirst()
{
    return QStringLiteral("Pick a manifest first.");
}

QString statusLabel(bool installed, bool sideloaded, bool running)
{
    if (!installed)
        return QStringLiteral("App not installed on this Mac");
    if (!sideloaded)
        return QStringLiteral("Not sideloaded");
    return running ? QStringLiteral("Sideloaded — restart to load") : QStringLiteral("Sideloaded");
}

} // namespace SideloadMessages
