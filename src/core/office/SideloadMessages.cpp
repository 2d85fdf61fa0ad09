#include "core/office/SideloadMessages.h"

#include "core/base/ControlCharacters.h"

#include <QCoreApplication>

namespace SideloadMessages {

namespace {

Line lineFor(const Sideloader::Outcome& outcome, const QString& action)
{
    using Kind = Sideloader::Outcome::Kind;
    switch (outcome.kind()) {
    case Kind::copied:
        return {Line::Kind::message,
                QCoreApplication::translate("SideloadMessages", "Installed at ") + outcome.file()};
    case Kind::removed:
        return {Line::Kind::message,
                QCoreApplication::translate("SideloadMessages", "Removed ") + outcome.file()};
    case Kind::skipped:
        return {Line::Kind::message,
                QCoreApplication::translate("SideloadMessages", "Skipped %1: %2")
                    .arg(action, outcome.reason())};
    case Kind::failed:
        return {Line::Kind::error,
                QCoreApplication::translate("SideloadMessages", "Failed to %1: %2")
                    .arg(action, outcome.error().localizedDescription())};
    }
    Q_UNREACHABLE();
}

} // namespace

QString installAction(OfficeHost host)
{
    return QCoreApplication::translate("SideloadMessages", "install into ") + host.displayName();
}

QString removeAction(OfficeHost host)
{
    return QCoreApplication::translate("SideloadMessages", "remove from ") + host.displayName();
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
    return QCoreApplication::translate("SideloadMessages", "Pick a manifest first.");
}

QString statusLabel(bool installed, bool sideloaded, bool running)
{
    if (!installed)
        return QCoreApplication::translate("SideloadMessages", "App not installed on this Mac");
    if (!sideloaded)
        return QCoreApplication::translate("SideloadMessages", "Not sideloaded");
    return running ? QCoreApplication::translate("SideloadMessages", "Sideloaded — restart to load")
                   : QCoreApplication::translate("SideloadMessages", "Sideloaded");
}

} // namespace SideloadMessages
