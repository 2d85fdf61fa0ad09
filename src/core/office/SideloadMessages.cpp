#include "core/office/SideloadMessages.h"

#include "core/base/ControlCharacters.h"

namespace SideloadMessages {

namespace {

Line lineFor(const Sideloader::Outcome& outcome, const QString& action)
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
    // Paths hold the home folder's and the manifest's names: a line stays one
    // line, whatever they hold.
    Line line = lineFor(outcome, action);
    line.text = ControlCharacters::escaped(line.text);
    return line;
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
