#pragma once

#include "core/office/OfficeHost.h"
#include "core/office/Sideloader.h"

#include <QList>
#include <QString>

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
// "Failed to <action>: <description>", as one line: control characters in
// paths and descriptions are escaped.
Line forOutcome(const Sideloader::Outcome& outcome, const QString& action);

// The error when no manifest is at hand.
QString pickManifestFirst();

// A host row's status line: "App not installed on this Mac", "Sideloaded",
// "Sideloaded — restart to load" (while running) or "Not sideloaded".
QString statusLabel(bool installed, bool sideloaded, bool running);

} // namespace SideloadMessages
