#pragma once

#include "core/office/Sideloader.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// "Install into all" and "Remove from all", shared by the add-in tab and
// zentropectl: the work, and what to tell the user about it. A host that
// failed is always named with the reason; a summary never claims that there
// was nothing to do when there was and it failed.
namespace SideloadAll {

struct Report
{
    QList<Sideloader::HostOutcome> outcomes;
    // "Installed into: <hosts>" or "Removed from: <hosts>" when something was
    // done; "No Office hosts installed." or "Nothing to remove." when there
    // was nothing to do; none when every attempt failed.
    std::optional<QString> message;
    // "Failed to install into Microsoft Word: <reason>", one per failed host, in order.
    QStringList errors;
};

// Sideloader::installAll(source), reported.
Report install(const QString& source);
// Sideloader::removeAll(), reported.
Report remove();

// The reports of outcomes already had.
Report installReport(QList<Sideloader::HostOutcome> outcomes);
Report removeReport(QList<Sideloader::HostOutcome> outcomes);

} // namespace SideloadAll
