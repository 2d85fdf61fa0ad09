#pragma once

#include "core/office/OfficeHost.h"
#include "core/office/Sideloader.h"

#include <QList>
#include <QString>
#include <QStringList>

// The words the add-in tab (and zentropectl) uses for the sideloader's
// results and the hosts' states.
namespace SideloadMessages {

// One line for the user: a success or information message, or an error.
struct Line
{
    enum class Kind
    {
        message,
        error
    };
    Kind kind;
    QString text;

    friend bool operator==(const Line&, const Line&) = default;
};

// "install into Microsoft Word", "remove from Microsoft Excel".
QString installAction(OfficeHost host);
QString removeAction(OfficeHost host);

// "Installed at …", "Removed …", "Skipped <action>: <reason>" or the error
// "Failed to <action>: <description>".
Line forOutcome(const Sideloader::Outcome& outcome, const QString& action);

// "Installed into: <names of the hosts copied to>" or "No Office hosts installed.".
QString installAllSummary(const QList<Sideloader::HostOutcome>& outcomes);
// "Removed from: <names of the hosts removed from>" or "Nothing to remove.".
QString removeAllSummary(const QList<Sideloader::HostOutcome>& outcomes);

// The error lines an "all hosts" action's summary leaves out, one for each
// host that failed, in order: "Failed to <action>: <description>".
QStringList failureLines(const QList<Sideloader::HostOutcome>& outcomes,
                         QString (*actionFor)(OfficeHost));

// The error when no manifest is at hand.
QString pickManifestFirst();

// A host row's status line: "App not installed on this Mac", "Sideloaded",
// "Sideloaded — restart to load" (while running) or "Not sideloaded".
QString statusLabel(bool installed, bool sideloaded, bool running);

} // namespace SideloadMessages
